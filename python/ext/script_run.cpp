#include "script_run.h"

#include "fileio/whole_file.h"
#include "model/workspace.h"
#include "run_results/run_journal.h"
#include "session/module_run.h"
#include "session/progress.h"
#include "session/scratch_folder.h"
#include "sheets/results_workbook.h"
#include "store/store.h"
#include "tovex/results_layout.h"

namespace tovex_python {

namespace session = qxhost::session;

std::mutex& host_lock()
{
    static std::mutex lock;
    return lock;
}

namespace {

// What a run in `folder` left: its results, findings and tables, and the
// files it wrote.
ScriptRun outcome(const session::RunRequest& request, int result, qxhost::Project& project,
                  const std::filesystem::path& folder, const qxhost::run_results::RunJournal& journal, bool whole)
{
    namespace layout = tovex::layout;
    ScriptRun run;
    run.result = result;
    run.request = request;
    run.call = session::call_text(request);
    const auto results = session::results_of_run(request, result, project, folder, whole);
    run.warnings = results.warnings;
    if (whole) run.findings = session::findings_of_run(request, project, results);
    project.index_unless_built();
    const std::optional<qxhost::run_results::RunJournal> kept = journal;
    const qxhost::sheets::RunReport report{run.call, qxhost::store::utc_now(), result, TOVEX_VERSION, results, kept,
                                           run.findings};
    run.tables = qxhost::sheets::results_workbook(project, report);
    if (!whole) return run;
    for (const std::string_view name : {layout::summary_report, layout::summary_report_da, layout::detailed_report,
                                        layout::detailed_report_da, layout::electrical_load_file}) {
        if (auto bytes = qxhost::read_whole_file(folder / name)) run.reports.emplace(name, std::move(*bytes));
    }
    return run;
}

// Runs a copy of `project` in a scratch folder and hands `then` the result,
// the loaded copy as the run left it, the folder and the journal.
template <class Then>
auto run_in_scratch(const qxhost::Project& project, const session::RunRequest& request, const std::string& module_path,
                    Then then)
{
    const session::Module module(module_path);
    const session::EntryCall entry(module, request);
    qxhost::LoadedProject loaded(qxhost::copy_of(project));
    const session::ScratchFolder scratch("tovex-run-");
    qxhost::run_results::RunJournal journal;
    // A script's run keeps no folder between runs, so there is no load
    // file to bring in when the project gives none.
    const int result = session::run_in(request, entry, loaded.project(), scratch.path(), [](std::string_view) {},
                                       journal, session::quiet());
    return then(result, loaded, scratch.path(), journal);
}

}  // namespace

ScriptRun script_run(const qxhost::Project& project, const session::RunRequest& request, const std::string& module_path,
                     bool whole)
{
    return run_in_scratch(project, request, module_path,
                          [&](int result, qxhost::LoadedProject& loaded, const std::filesystem::path& folder,
                              const qxhost::run_results::RunJournal& journal) {
                              ScriptRun run = outcome(request, result, loaded.project(), folder, journal, whole);
                              if (whole) run.state = loaded.take();
                              return run;
                          });
}

std::vector<qxhost::checks::Finding> script_check(const qxhost::Project& project, const std::string& module_path)
{
    const session::RunRequest full;
    return run_in_scratch(project, full, module_path,
                          [&](int result, qxhost::LoadedProject& loaded, const std::filesystem::path& folder,
                              const qxhost::run_results::RunJournal&) {
                              const auto results = session::results_of_run(full, result, loaded.project(), folder, false);
                              return session::findings_of_run(full, loaded.project(), results);
                          });
}

}  // namespace tovex_python
