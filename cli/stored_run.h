// A run whose project comes from a store: the project is loaded from it,
// and the run is recorded in it with what it changed and wrote.
#ifndef TOVEX_CLI_STORED_RUN_H
#define TOVEX_CLI_STORED_RUN_H

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "session/entry_call.h"
#include "model/project.h"
#include "checks/findings.h"
#include "store/store.h"

namespace tovex_cli {

class StoredRun {
public:
    // A session when `path` is a store (told by its content); none for a
    // project file.
    explicit StoredRun(const std::string& path);

    explicit operator bool() const { return store_ != nullptr; }
    // The project as the store holds it, its run begun. Throws StoreError.
    std::unique_ptr<qxhost::Project> load();
    // Records the run: what was called, its result, warnings and findings,
    // its journal, the files of `folder` that the run wrote since `started`, and
    // what it changed in `project`. Prints nothing. Throws CommandError.
    void record(const CommandOptions& options, const qxhost::session::ProjectIdentity& identity, int result,
                const qxhost::Project& project, const qxhost::run_results::RunResults& results,
                const qxhost::run_results::RunJournal& journal,
                const std::vector<qxhost::checks::Finding>& findings,
                const std::filesystem::path& folder,
                std::filesystem::file_time_type started);

private:
    std::unique_ptr<qxhost::store::Store> store_;
};

}  // namespace tovex_cli

#endif
