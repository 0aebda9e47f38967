#include "session/module_run.h"

#include <optional>

#include "fileio/atomic_file.h"
#include "fileio/whole_file.h"
#include "host/unitkit.h"
#include "model/cost_row_lists.h"
#include "model/run_inputs.h"
#include "session/working_directory.h"
#include "tovex/results_layout.h"

namespace qxhost::session {

namespace {

void write_electrical_load_file(const Project& project, const std::function<void(std::string_view)>& carry_in)
{
    const auto text = electrical_load_file_text(project);
    if (!text) return carry_in(tovex::layout::electrical_load_file);
    write_file_atomically(std::string(tovex::layout::electrical_load_file), *text);
}

// The file's bytes; empty when it cannot be read.
std::string file_text(const std::filesystem::path& path) { return read_whole_file(path).value_or(std::string()); }

checks::RunKind run_kind(const RunRequest& request)
{
    using Call = checks::RunKind::Call;
    if (request.call == RunRequest::Call::pass) return {Call::pass, request.class_id, request.record};
    const bool reduced = request.call == RunRequest::Call::reduced;
    return {reduced ? Call::reduced : Call::full, 0, !reduced};
}

}  // namespace

int run_in(const RunRequest& request, const EntryCall& entry, Project& project, const std::filesystem::path& folder,
           const std::function<void(std::string_view)>& carry_in, run_results::RunJournal& journal,
           Progress& progress)
{
    const WorkingDirectory entered(folder);
    write_electrical_load_file(project, carry_in);
    CallerLists lists(project.cost_rows);
    unitkit_clear_warnings();
    const run_results::JournalKeeper keeper(project.cost_rows);
    progress.begin_timed(request.call == RunRequest::Call::pass ? "running the pass" : "running the calculation");
    const int result = entry.call(identity_for(request, project), lists);
    progress.end();
    lists.copy_values_to(project.cost_rows);
    journal = keeper.journal();
    return result;
}

// A pass writes no report, the reduced run no detailed report, and a run
// that found the project not valid nothing: a report in the folder is then
// an earlier run's.
std::vector<std::string> expected_reports(const RunRequest& request, int result)
{
    namespace layout = tovex::layout;
    if (result != 1 || request.call == RunRequest::Call::pass) return {};
    std::vector<std::string> expected{std::string(layout::summary_report), std::string(layout::summary_report_da)};
    if (request.call == RunRequest::Call::full) {
        expected.emplace_back(layout::detailed_report);
        expected.emplace_back(layout::detailed_report_da);
    }
    return expected;
}

run_results::RunResults results_of_run(const RunRequest& request, int result, const Project& project,
                                       const std::filesystem::path& folder, bool with_items)
{
    const bool wrote_summary = result == 1 && request.call != RunRequest::Call::pass;
    const bool wrote_detailed = wrote_summary && request.call == RunRequest::Call::full;
    const std::string summary = wrote_summary ? file_text(folder / tovex::layout::summary_report) : std::string();
    std::optional<MappedFile> detailed;
    if (with_items && wrote_detailed) detailed.emplace(folder / tovex::layout::detailed_report);
    return run_results::run_results(
        project, summary, with_items ? std::optional<std::string_view>(detailed ? detailed->text() : "") : std::nullopt);
}

std::vector<checks::Finding> findings_of_run(const RunRequest& request, const Project& project,
                                             const run_results::RunResults& results)
{
    std::vector<checks::Finding> findings = checks::check_project(project, run_kind(request));
    checks::add_run_findings(findings, project, results);
    return findings;
}

store::RunRecord run_record(const RunRequest& request, const ProjectIdentity& identity, int result,
                            const run_results::RunResults& results, const std::vector<checks::Finding>& findings)
{
    store::RunRecord record;
    record.call = call_name(request.call);
    if (request.call == RunRequest::Call::pass) {
        record.class_id = request.class_id;
        record.record = request.record ? 1 : 0;
    }
    record.instance = identity.instance;
    record.name = identity.name;
    record.scenario = identity.scenario;
    record.result = result;
    record.warnings = results.warnings;
    record.total_per_period = results.totals.per_period;
    record.utilities = results.utilities;
    record.all_per_hour = results.totals.all_per_hour;
    record.all_per_period = results.totals.all_per_period;
    record.items = results.items;
    record.findings = findings;
    return record;
}

}  // namespace qxhost::session
