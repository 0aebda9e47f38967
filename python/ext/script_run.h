// A run made for a script: on a copy of the project, in a scratch folder,
// with everything it left kept in memory. The same session as the
// command's run, so that no figure is made a second way.
#ifndef TOVEX_PYTHON_SCRIPT_RUN_H
#define TOVEX_PYTHON_SCRIPT_RUN_H

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "host/unitkit.h"
#include "model/project.h"
#include "session/entry_call.h"
#include "sheets/workbook.h"

namespace tovex_python {

struct ScriptRun {
    int result = 0;
    qxhost::session::RunRequest request;
    std::string call;
    qxhost::sheets::Workbook tables;  // as `run --csv` writes them
    std::vector<UnitWarning> warnings;
    std::vector<qxhost::checks::Finding> findings;
    std::map<std::string, std::string> reports;  // by file name, the bytes the run wrote
    std::unique_ptr<qxhost::Project> state;      // the project as the run left it
};

// The host keeps one loaded project per process, and its unit texts in one
// table: whatever reads or changes a project holds this first.
std::mutex& host_lock();

// Runs `project` (left as it is) with the module at `module_path`. Throws
// the session's and the readers' exceptions. The caller holds host_lock().
// Without `whole`, only the figures: the tables but the items, and no
// reports, state or findings (a sweep's case, which wants its totals).
ScriptRun script_run(const qxhost::Project& project, const qxhost::session::RunRequest& request,
                     const std::string& module_path, bool whole = true);

// The project's findings as `tovex check` gives them: those of a full run,
// made in a scratch folder. The caller holds host_lock().
std::vector<qxhost::checks::Finding> script_check(const qxhost::Project& project, const std::string& module_path);

}  // namespace tovex_python

#endif
