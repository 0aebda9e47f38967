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
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/project.h"
#include "model/workspace.h"
#include "host/unitkit.h"
#include "checks/findings.h"
#include "run_results/run_results.h"
#include "run_results/run_journal.h"
#include "store/store_error.h"

namespace SQLite {
class Database;
}

namespace qxhost::store {

// True when the file at `path` begins as an SQLite database does; its
// application id is checked when it is opened.
bool looks_like_store(const std::string& path);

// Stores `project` as the new revision of the store at `path`, creating
// the store when there is none; `source` names where it came from. Returns
// the revision.
long import_project(const std::string& path, const Project& project, const std::string& source);

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
    run_results::RunJournal journal;
    // What the run wrote into the project (Workspace::writes()); null: take
    // every table as written.
    const ProjectWrites* writes = nullptr;
    // The figures the run left, as the command read them back: the total
    // per period, the summary's lines, and their sums.
    std::optional<double> total_per_period;
    std::span<const run_results::UtilityLine> utilities;
    std::optional<double> all_per_hour;
    std::optional<double> all_per_period;
    // What the checks found of the run.
    std::span<const checks::Finding> findings;
    // Kept when the run wrote usage records (a full run, a pass that records).
    std::span<const run_results::ItemUsage> items;
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
    std::optional<double> all_per_hour;
    std::optional<double> all_per_period;
};

struct RunDiff;  // run_diff.h

// A store, open for the life of this object on one connection. Every call
// throws StoreError naming the file, and nothing else.
class Store {
public:
    // The store at `path`, checked to be one this build reads.
    explicit Store(const std::string& path);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& path() const { return path_; }

    // Stores `project` as the store's new revision; returns its number.
    long import_revision(const Project& project, const std::string& source);

    // The project as the store holds it now: its latest revision as the
    // latest run of it left it; with `run`, as that run left it.
    std::unique_ptr<Project> load_project(std::optional<long> run = std::nullopt);
    // Revision `revision` (the latest without one) as it was kept, before
    // any run of it: its inputs, which a run adds to.
    std::unique_ptr<Project> load_revision(std::optional<long> revision);

    // Every run, in order.
    std::vector<RunSummary> runs();
    // Run `run`, the latest without one; throws when there is no such run.
    RunSummary run(std::optional<long> run);
    // What run `run` kept: its warnings in order, its journal (none when it
    // kept none), its items (a full run, or a pass that records), and the
    // files it wrote, by name.
    std::vector<UnitWarning> warnings(long run);
    std::vector<checks::Finding> findings(long run);
    std::optional<run_results::RunJournal> journal(long run);
    std::vector<run_results::ItemUsage> items(long run);
    std::vector<std::pair<std::string, std::string>> files(long run);
    // Run `a` against run `b`; with `all` the rows that did not change too.
    RunDiff diff(long a, long b, bool all);

    // A run on the store, from loading the project to recording what it
    // did: begin_run() takes the store's write lock and gives the project as
    // the store holds it now, so that runs on one store take turns, each
    // from what the one before it left. record_run() keeps the run with what
    // it changed in `after` (the project begin_run() gave, as the run left
    // it) in one transaction and returns its number. A run that is not
    // recorded is not kept: the store stays as it was.
    std::unique_ptr<Project> begin_run();
    long record_run(const Project& after, const RunRecord& run);

private:
    // Runs `work` on the connection; any failure but StoreError becomes one
    // that names the file. The one place where errors are translated.
    template <class Work>
    auto guarded(Work&& work);

    std::string path_;
    std::unique_ptr<SQLite::Database> db_;
    struct OpenRun;
    std::unique_ptr<OpenRun> open_run_;
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

// The moment as ISO 8601 UTC to the second ("2026-12-09T12:13:06Z"), as
// runs are stamped.
std::string utc_now();

}  // namespace qxhost::store

#endif
