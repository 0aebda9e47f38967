#include "project_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

#include "command_error.h"
#include "fileio/atomic_file.h"
#include "fileio/whole_file.h"
#include "host/unitkit.h"
#include "model/cost_row_lists.h"
#include "model/run_inputs.h"
#include "model/workspace.h"
#include "module.h"
#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"
#include "store/store.h"
#include "tovex/results_layout.h"
#include "working_directory.h"

namespace tovex_cli {

namespace {

// A file that is not a store and does not begin as a JSON object does is
// neither: say so, rather than give a JSON syntax error at its first byte.
void refuse_unless_json(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char start[256] = {};
    file.read(start, sizeof start);
    std::string_view head(start, static_cast<std::size_t>(file.gcount()));
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || head[first] == '{') return;
    throw CommandError(exit_bad_input, path + ": neither a project file (a JSON object) nor a tovex store");
}

}  // namespace

std::unique_ptr<qxhost::Project> read_project(const std::string& path, Progress& progress)
{
    std::error_code ignored;
    const bool folder = std::filesystem::is_directory(path, ignored);
    if (folder || qxhost::sheets::is_xlsx_path(path)) {
        progress.begin_timed("reading " + path);
        const std::vector<std::string> names = qxhost::sheets::project_sheet_names();
        try {
            const auto workbook =
                folder ? qxhost::sheets::read_csv_folder(path, names) : qxhost::sheets::read_xlsx(path, names);
            auto project = qxhost::sheets::project_from_workbook(workbook, path);
            progress.end();
            return project;
        } catch (const qxhost::sheets::WorkbookError& error) {
            throw CommandError(exit_bad_input, error.what());
        } catch (const qxhost::ProjectFileError& error) {
            throw CommandError(exit_bad_input, error.what());
        }
    }
    if (!qxhost::store::looks_like_store(path)) refuse_unless_json(path);
    if (qxhost::store::looks_like_store(path)) {
        progress.begin_timed("loading " + path);
        auto project = qxhost::store::Store(path).load_project();
        progress.end();
        return project;
    }
    try {
        auto project = qxhost::read_project_file(path, reading_file(progress, path));
        progress.end();
        return project;
    } catch (const qxhost::ProjectFileError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

ProjectIdentity identity_for(const CommandOptions& options, const qxhost::Project& project)
{
    return ProjectIdentity{options.instance.value_or(project.instance), options.name.value_or(project.name),
                           options.scenario.value_or(project.scenario)};
}

namespace {

void write_electrical_load_file(const qxhost::Project& project, const RunFolder& folder)
{
    const auto text = qxhost::electrical_load_file_text(project);
    // A file already in the folder is used as it is.
    if (!text) return folder.carry_in(tovex::layout::electrical_load_file);
    try {
        qxhost::write_file_atomically(std::string(tovex::layout::electrical_load_file), *text);
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

// The file's bytes; empty when it cannot be read.
std::string file_text(const std::filesystem::path& path)
{
    return qxhost::read_whole_file(path).value_or(std::string());
}

qxhost::checks::RunKind run_kind(const CommandOptions& options)
{
    using Call = qxhost::checks::RunKind::Call;
    if (options.action == CommandOptions::Action::pass) return {Call::pass, options.class_id, options.record};
    return {options.reduced ? Call::reduced : Call::full, 0, !options.reduced};
}

// A folder of its own under the system's temporary folder, removed with
// all it holds when the check ends, however it ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovex-check-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw CommandError(exit_bad_input, "cannot make a scratch folder for the check in " +
                                                   std::filesystem::temp_directory_path().string() + ": " +
                                                   std::strerror(errno));
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

int run_in_folder(const CommandOptions& options, const EntryCall& entry, qxhost::Project& project,
                  RunFolder& folder, qxhost::run_results::RunJournal& journal, Progress& progress)
{
    int result = 0;
    {
        WorkingDirectory entered(folder.staging());
        write_electrical_load_file(project, folder);
        qxhost::CallerLists lists(project.cost_rows);
        unitkit_clear_warnings();
        const qxhost::run_results::JournalKeeper keeper(project.cost_rows);
        progress.begin_timed(options.action == CommandOptions::Action::pass ? "running the pass"
                                                                             : "running the calculation");
        result = entry.call(identity_for(options, project), lists);
        progress.end();
        lists.copy_values_to(project.cost_rows);
        journal = keeper.journal();
    }
    folder.put_in_place();
    return result;
}

std::vector<std::string> missing_reports(const CommandOptions& options, int result, const RunFolder& folder)
{
    namespace layout = tovex::layout;
    if (result != 1 || options.action == CommandOptions::Action::pass) return {};
    std::vector<std::string_view> expected{layout::summary_report, layout::summary_report_da};
    if (!options.reduced) expected.insert(expected.end(), {layout::detailed_report, layout::detailed_report_da});
    std::vector<std::string> missing;
    for (const std::string_view name : expected) {
        if (!std::binary_search(folder.placed().begin(), folder.placed().end(), name)) missing.emplace_back(name);
    }
    return missing;
}

// A pass writes no report, the reduced run no detailed report, and a run
// that found the project not valid nothing: a report in the folder is then
// an earlier run's.
qxhost::run_results::RunResults results_of_run(const CommandOptions& options, int result,
                                               const qxhost::Project& project, const std::filesystem::path& folder,
                                               bool with_items)
{
    const bool pass = options.action == CommandOptions::Action::pass;
    const bool wrote_summary = result == 1 && !pass;
    const bool wrote_detailed = wrote_summary && !options.reduced;
    const std::string summary = wrote_summary ? file_text(folder / tovex::layout::summary_report) : std::string();
    std::optional<qxhost::MappedFile> detailed;
    if (with_items && wrote_detailed) detailed.emplace(folder / tovex::layout::detailed_report);
    return qxhost::run_results::run_results(
        project, summary,
        with_items ? std::optional<std::string_view>(detailed ? detailed->text() : "") : std::nullopt);
}

std::vector<qxhost::checks::Finding> findings_of_run(const CommandOptions& options, const qxhost::Project& project,
                                                     const qxhost::run_results::RunResults& results)
{
    std::vector<qxhost::checks::Finding> findings = qxhost::checks::check_project(project, run_kind(options));
    qxhost::checks::add_run_findings(findings, project, results);
    return findings;
}

std::vector<qxhost::checks::Finding> check_in_scratch(const CommandOptions& asked,
                                                      std::unique_ptr<qxhost::Project> project, Progress& progress)
{
    // `check` checks the full run.
    CommandOptions options = asked;
    if (options.action == CommandOptions::Action::check) options.action = CommandOptions::Action::run;
    const Module module(options.module_path.empty() ? default_module_path() : options.module_path);
    const EntryCall entry(module, options);
    qxhost::LoadedProject loaded(std::move(project));
    const ScratchFolder scratch;
    const RemovedOnInterruption removed(scratch.path());
    RunFolder folder(scratch.path());
    qxhost::run_results::RunJournal journal;
    const int result = run_in_folder(options, entry, loaded.project(), folder, journal, progress);
    const auto results = results_of_run(options, result, loaded.project(), scratch.path(), false);
    return findings_of_run(options, loaded.project(), results);
}

}  // namespace tovex_cli
