#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "checks/findings.h"
#include "host/unitkit.h"
#include "model/run_inputs.h"
#include "model/workspace.h"
#include "model/cost_row_lists.h"
#include "projfile/projfile.h"
#include "run_results/run_results.h"
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

void clear_folder()
{
    for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry.path());
}

int run_in_full(std::unique_ptr<qxhost::Project> project)
{
    clear_folder();
    if (const auto load_file = qxhost::electrical_load_file_text(*project)) write_file("KVT_ELEC.TMP", *load_file);
    qxhost::LoadedProject loaded(std::move(project));
    qxhost::Project& run = loaded.project();
    qxhost::CallerLists lists(run.cost_rows);
    unitkit_clear_warnings();
    const int result = tovex_get_utility_init(run.name.c_str(), run.scenario.c_str(), run.instance, lists.names(),
                                              lists.cost_slots(), lists.values());
    lists.copy_values_to(run.cost_rows);
    // The checks and the run's results take any project the reader takes.
    auto findings = qxhost::checks::check_project(run, {});
    std::string summary;
    if (std::FILE* file = std::fopen("UtilRes.Txt", "rb")) {
        char buffer[4096];
        for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) summary.append(buffer, read);
        std::fclose(file);
    }
    qxhost::checks::add_run_findings(findings, run, qxhost::run_results::run_results(run, summary, std::nullopt));
    try {
        qxhost::parse_project(qxhost::write_project_json(run), "state.json");
    } catch (const qxhost::ProjectFileError& error) {
        std::fprintf(stderr, "the state does not read back: %s\n", error.what());
        std::abort();
    }
    return result;
}

}  // namespace tovex_fuzz
