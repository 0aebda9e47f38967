#include "run_folder.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "command_error.h"

namespace tovex_cli {

namespace {

constexpr std::string_view staging_prefix = ".tovex-staging-";

[[noreturn]] void refuse(const std::filesystem::path& folder, const std::string& why)
{
    throw CommandError(exit_bad_input, "--dir " + folder.string() + ": " + why);
}

// A staging folder left by a command that was killed outright (its process
// is gone) holds nothing anyone will use.
void remove_abandoned_staging(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = item.path().filename().string();
        if (!name.starts_with(staging_prefix)) continue;
        const std::string pid_text = name.substr(staging_prefix.size());
        char* end = nullptr;
        const long pid = std::strtol(pid_text.c_str(), &end, 10);
        if (pid <= 0 || *end != '\0' || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove_all(item.path(), ignored);
        }
    }
}

}  // namespace

RunFolder::RunFolder(const std::filesystem::path& folder) : folder_(folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) refuse(folder_, "cannot make it: " + error.message());
    if (!std::filesystem::is_directory(folder_, error)) refuse(folder_, "not a folder");
    remove_abandoned_staging(folder_);
    staging_ = folder_ / (std::string(staging_prefix) + std::to_string(::getpid()));
    // Known to an interruption before it exists, and made while one waits:
    // one that comes as it is made removes it once it stands.
    removed_.emplace(staging_);
    const auto hold = hold_off_interruption();
    std::filesystem::remove_all(staging_, error);
    if (!std::filesystem::create_directory(staging_, error) || error)
        refuse(folder_, "cannot write in it: " + (error ? error.message() : std::string("the folder is in the way")));
}

RunFolder::~RunFolder()
{
    // An interruption meanwhile waits, rather than removing it beside us.
    const auto hold = hold_off_interruption();
    std::error_code ignored;
    std::filesystem::remove_all(staging_, ignored);
}

void RunFolder::carry_in(std::string_view name) const
{
    std::error_code error;
    const std::filesystem::path from = folder_ / name;
    if (!std::filesystem::exists(from, error)) return;
    std::filesystem::copy_file(from, staging_ / name, std::filesystem::copy_options::overwrite_existing, error);
    if (error) throw CommandError(exit_bad_input, "cannot read " + from.string() + ": " + error.message());
}

void RunFolder::put_in_place()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(staging_, error))
        if (item.is_regular_file()) names.push_back(item.path().filename().string());
    if (error) throw CommandError(exit_not_saved, "cannot read " + staging_.string() + ": " + error.message());
    std::sort(names.begin(), names.end());
    const auto hold = hold_off_interruption();
    for (const std::string& name : names) {
        std::filesystem::rename(staging_ / name, folder_ / name, error);
        if (error)
            throw CommandError(exit_not_saved, "cannot put " + name + " into " + folder_.string() + ": " +
                                                   error.message());
        placed_.push_back(name);
    }
}

}  // namespace tovex_cli
