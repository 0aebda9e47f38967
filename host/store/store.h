// The project store: a project kept in an SQLite file, each import a new
// revision, queryable by hand (docs/store.md describes the tables).
//
// A store is told by its content, not its name: an SQLite file whose
// application id is the store's. Every change is one transaction, so a
// store never holds half an import.
#ifndef QXHOST_STORE_STORE_H
#define QXHOST_STORE_STORE_H

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/project_model.h"
#include "host/unitkit.h"
#include "results/results.h"
#include "results/run_journal.h"
#include "store/store_error.h"

namespace SQLite {
class Database;
}

namespace qxhost::store {

// True when the file at `path` begins as an SQLite database does; its
// application id is checked when it is opened.
bool looks_like_store(const std::string& path);

// Stores `project` as the store's new revision, creating the store when
// there is none; `source` names where it came from. Returns the revision.
long import_project(const std::string& path, const Project& project, const std::string& source);

// The project as the store holds it now: its latest revision as the latest
// run of it left it; with `run`, as that run left it.
std::unique_ptr<Project> load_project(const std::string& path, std::optional<long> run = std::nullopt);

// What a run was, as it is kept with its changes.
struct RunRecord {
    std::string call;  // "full", "reduced" or "pass"
    std::optional<int> class_id;  // pass
    std::optional<int> record;    // pass: the recording flag
    std::uint32_t instance = 0;   // what was handed to the module
    std::string name;
    std::string scenario;
    int result = 0;               // the entry point's
    std::vector<UnitWarning> warnings;
    std::vector<std::pair<std::string, std::string>> files;  // name, exact bytes
    results::RunJournal journal;
    // The figures the run left, as the command read them back.
    std::optional<double> total_per_period;
    std::vector<results::ItemUsage> items;  // kept when the run wrote usage records
};

// The moment a run in `folder` starts, as the file system there tells
// time: the time a file made there now is given. Many file systems stamp
// files from a clock that lags the system clock by up to a tick, so a report
// written just after the system clock's now() could look older than the
// run. Falls back on the system clock when no file can be made there.
std::filesystem::file_time_type run_start_time(const std::filesystem::path& folder);

// The files a run left in its working directory `folder`, by name: the
// load file it read, and the reports it wrote since `started`, from
// run_start_time() (a reduced run leaves an earlier full run's detailed
// report where it was). Throws StoreError when one cannot be read.
std::vector<std::pair<std::string, std::string>> files_of_run(const std::filesystem::path& folder,
                                                              std::filesystem::file_time_type started);

// A run on a store, from loading the project to recording what the run did.
// It holds the store's write lock throughout, so that runs on one store
// take turns: each starts from what the one before it left. What is not
// recorded is not kept: a run that ends any other way leaves the store as
// it was.
class RunSession {
public:
    explicit RunSession(const std::string& path);
    ~RunSession();
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;

    // The project as the store holds it now.
    std::unique_ptr<Project> load();
    // Stores the run with what it changed in `after` (the project load()
    // gave, as the run left it), in one transaction. Returns its number.
    long record(const Project& after, const RunRecord& run);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// One line of the store's history.
struct RunSummary {
    long run = 0;
    long revision = 0;
    std::string started_utc;
    std::string call;
    std::optional<int> class_id;
    std::optional<int> record;
    int result = 0;
    std::optional<double> total_per_period;
};
std::vector<RunSummary> list_runs(const std::string& path);
// Run `run` of the store, the latest without one. Throws StoreError when
// there is no such run.
RunSummary run_summary(const std::string& path, std::optional<long> run);

// The warnings run `run` gave, in order.
std::vector<UnitWarning> run_warnings(const std::string& path, long run);

// The journal run `run` kept; none for a run kept before stores had them.
std::optional<results::RunJournal> run_journal(const std::string& path, long run);

// The items run `run` kept (a full run, or a pass that records), in order.
std::vector<results::ItemUsage> run_items(const std::string& path, long run);

// The moment as ISO 8601 UTC to the second ("2026-12-09T12:13:06Z"), as
// runs are stamped.
std::string utc_now();

// The files run `run` wrote (the latest run without one), by name.
std::vector<std::pair<std::string, std::string>> run_files(const std::string& path, std::optional<long> run);

}  // namespace qxhost::store

#endif
