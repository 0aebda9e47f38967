#include "support/support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "projfile/projfile.h"

namespace tovex_test {

qxhost::Project& load_project(std::string_view json)
{
    qxhost::Workspace::get().load(qxhost::parse_project(json, "test-project.json"));
    return loaded();
}

qxhost::Project& loaded()
{
    qxhost::Project* project = qxhost::Workspace::get().project();
    if (project == nullptr) throw std::logic_error("no project loaded");
    return *project;
}

CallerLists::CallerLists() : CallerLists(loaded().cost_rows) {}

std::string CallerLists::value_of(std::string_view cost_slot) const
{
    const char* text = list2_get_slot_value(cost_slots(), values(), cost_slot, nullptr);
    return text ? text : "";
}

bool CallerLists::number_of(std::string_view cost_slot, std::uint64_t& number) const
{
    const int position = list2_get_item_location(cost_slots(), cost_slot);
    return position >= 0 && list2_get_number(values(), position, &number) != 0;
}

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path())
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("tovex-test-" + std::to_string(random() % 1000000000ULL));
        if (std::filesystem::create_directory(path_)) break;
    }
    std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::read(const std::string& name) const { return read_file(path_ / name); }

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ScratchDir::write(const std::string& name, std::string_view text) const
{
    std::ofstream out(path_ / name, std::ios::binary);
    out << text;
}

bool ScratchDir::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

static std::filesystem::path from_env(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path(fallback);
}

// The environment wins so that a moved tree can still be tested; the
// folders of the build are the fallback for running a test binary by hand.
std::filesystem::path source_dir() { return from_env("TOVEX_SOURCE_DIR", TOVEX_DEFAULT_SOURCE_DIR); }
std::filesystem::path binary_dir() { return from_env("TOVEX_BINARY_DIR", TOVEX_DEFAULT_BINARY_DIR); }

}  // namespace tovex_test
