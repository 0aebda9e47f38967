// A store as a script uses it: its runs read back as a run made now is
// given, and a run made by a script kept in it as the command keeps one.
#ifndef TOVEX_PYTHON_SCRIPT_STORE_H
#define TOVEX_PYTHON_SCRIPT_STORE_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/unitkit.h"
#include "model/project.h"
#include "script_run.h"
#include "session/entry_call.h"

namespace tovex_python {

// Run `run` of the store at `path` (the latest without one), with the
// files it kept as its reports and the project as it left it as its state.
ScriptRun stored_run(const std::string& path, std::optional<long> run);

// What a script's run left, as it comes back from wherever it ran.
struct RunToKeep {
    qxhost::session::RunRequest request;
    int result = 0;
    std::map<std::string, std::string> files;  // by name, the bytes the run wrote
    std::vector<UnitWarning> warnings;
    const qxhost::Project* state = nullptr;  // the project as the run left it
};

// Keeps `project` as the store's new revision (making the store when there
// is none) and `run` as a run of it; returns the run's number.
long keep_run(const std::string& path, const qxhost::Project& project, const std::string& source, const RunToKeep& run);

}  // namespace tovex_python

#endif
