#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/unitkit.h"
#include "host/workspace.h"
#include "projfile/caller_lists.h"
#include "projfile/projfile.h"
#include "tovex/tovex.h"

namespace tovex_fuzz {

namespace {

std::filesystem::path scratch;

void remove_scratch_folder()
{
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(scratch, ignored);
}

// Unloads the workspace on every path, so that a run that throws leaves no
// project behind for the next input.
struct LoadedProject {
    explicit LoadedProject(std::unique_ptr<qxhost::Project> project)
    {
        qxhost::Workspace::get().load(std::move(project));
    }
    ~LoadedProject() { qxhost::Workspace::get().unload(); }
    LoadedProject(const LoadedProject&) = delete;
    LoadedProject& operator=(const LoadedProject&) = delete;
};

}  // namespace

void enter_scratch_folder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tovex-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
    scratch = pattern;
    std::filesystem::current_path(scratch);
    std::atexit(remove_scratch_folder);
}

std::string file_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, std::string_view text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

int run_in_full(std::unique_ptr<qxhost::Project> project)
{
    // What an earlier input left (reports, a load file) would make this
    // input's run depend on it.
    for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry.path());
    if (const auto load_file = qxhost::electrical_load_file_text(*project)) write_file("KVT_ELEC.TMP", *load_file);
    LoadedProject loaded(std::move(project));
    qxhost::Project& run = *qxhost::Workspace::get().project();
    qxhost::CallerLists lists(run.cost_rows);
    unitkit_clear_warnings();
    const int result = tovex_get_utility_init(run.name.c_str(), run.scenario.c_str(), run.instance, lists.names(),
                                              lists.cost_slots(), lists.values());
    lists.copy_values_to(run.cost_rows);
    std::size_t state_bytes = 0;
    qxhost::write_project_json(run, [&](std::string_view piece) { state_bytes += piece.size(); });
    if (state_bytes == 0) std::abort();  // a state file always has its format line
    return result;
}

}  // namespace tovex_fuzz
