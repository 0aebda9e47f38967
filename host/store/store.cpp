#include "store/store.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <tuple>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <xxhash.h>

#include "fileio/whole_file.h"
#include "run_results/run_results.h"
#include "tovex/results_layout.h"
#include "store/journal_rows.h"
#include "store/revision_tables.h"
#include "store/run_diff.h"
#include "store/schema.h"
#include "store/run_findings.h"
#include "store/run_items.h"

namespace qxhost::store {

std::string utc_now()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

namespace {

namespace layout = tovex::layout;
constexpr std::array<std::string_view, 5> run_file_names = {layout::electrical_load_file, layout::summary_report,
                                                            layout::summary_report_da, layout::detailed_report,
                                                            layout::detailed_report_da};

std::string file_bytes(const std::filesystem::path& path)
{
    auto bytes = read_whole_file(path);
    if (!bytes) throw StoreError(path.string() + ": cannot read it whole");
    return std::move(*bytes);
}

}  // namespace

std::filesystem::file_time_type run_start_time(const std::filesystem::path& folder)
{
    std::string marker = (folder / ".tovex-run-XXXXXX").string();
    const int descriptor = ::mkstemp(marker.data());
    if (descriptor < 0) return std::filesystem::file_time_type::clock::now();
    ::close(descriptor);
    std::error_code error;
    const auto stamped = std::filesystem::last_write_time(marker, error);
    std::error_code ignored;
    std::filesystem::remove(marker, ignored);
    return error ? std::filesystem::file_time_type::clock::now() : stamped;
}

std::vector<std::pair<std::string, std::string>> files_of_run(const std::filesystem::path& folder,
                                                              std::filesystem::file_time_type started)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string_view name : run_file_names) {
        const std::filesystem::path file = folder / name;
        std::error_code error;
        const auto written = std::filesystem::last_write_time(file, error);
        if (error) continue;
        if (name != layout::electrical_load_file && written < started) continue;
        try {
            files.emplace_back(name, file_bytes(file));
        } catch (const std::filesystem::filesystem_error& failure) {
            throw StoreError(file.string() + ": " + failure.code().message());
        }
    }
    return files;
}

namespace {

long add_revision(SQLite::Database& db, const Project& project, const std::string& source)
{
    SQLite::Transaction transaction(db);
    const long revision = write_revision(db, project, source, utc_now());
    transaction.commit();
    return revision;
}

// A new store is made whole under a temporary name and linked to its own
// only then, so that a command stopped while making it leaves no store
// that is not one; linking, unlike renaming, never replaces a store that
// another command made meanwhile.
bool import_into_new_store(const std::string& path, const Project& project, const std::string& source)
{
    const std::string temporary = path + ".new-" + std::to_string(::getpid());
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    try {
        add_revision(*create_store(temporary, path), project, source);
    } catch (...) {
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    const bool linked = ::link(temporary.c_str(), path.c_str()) == 0;
    const int error = errno;
    std::filesystem::remove(temporary, ignored);
    if (linked) return true;
    if (error == EEXIST) return false;
    throw StoreError(path + ": cannot create: " + std::strerror(error));
}

}  // namespace

long import_project(const std::string& path, const Project& project, const std::string& source)
{
    std::error_code ignored;
    try {
        if (!std::filesystem::exists(path, ignored) && import_into_new_store(path, project, source)) return 1;
    } catch (const StoreError&) {
        throw;
    } catch (const std::exception& failure) {
        throw StoreError(path + ": " + failure.what());
    }
    Store store(path);
    return store.import_revision(project, source);
}

namespace {

// The latest run of `revision` (0 when none).
long latest_run_of(SQLite::Database& db, long revision)
{
    SQLite::Statement query(db, "SELECT coalesce(max(run), 0) FROM run WHERE revision = ?");
    query.bind(1, static_cast<std::int64_t>(revision));
    query.executeStep();
    return static_cast<long>(query.getColumn(0).getInt64());
}

// The latest revision and the latest run of it (0 when none).
std::pair<long, long> latest(SQLite::Database& db)
{
    const long revision = static_cast<long>(db.execAndGet("SELECT coalesce(max(revision), 0) FROM revision").getInt64());
    if (revision == 0) throw std::runtime_error("the store holds no project");
    return {revision, latest_run_of(db, revision)};
}

// The revision of run `run`.
long revision_of(SQLite::Database& db, long run)
{
    SQLite::Statement query(db, "SELECT revision FROM run WHERE run = ?");
    query.bind(1, static_cast<std::int64_t>(run));
    if (!query.executeStep()) throw std::runtime_error("the store has no run " + std::to_string(run));
    return static_cast<long>(query.getColumn(0).getInt64());
}

// The content id of `bytes`: a report that a run writes as an earlier run
// wrote it (a run with the same prices, or a pass) is kept once. Found by
// its XXH3-128 hash, then compared byte for byte, so two files that share
// a hash cost a comparison and are still kept apart.
std::int64_t file_content(SQLite::Database& db, const std::string& bytes)
{
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    char hash_text[40];
    std::snprintf(hash_text, sizeof hash_text, "%016llx%016llx", static_cast<unsigned long long>(hash.low64),
                  static_cast<unsigned long long>(hash.high64));
    SQLite::Statement same(db, "SELECT content, bytes FROM file_content WHERE hash = ?");
    same.bind(1, hash_text);
    while (same.executeStep()) {
        if (view_of(same.getColumn(1)) == bytes) return same.getColumn(0).getInt64();
    }
    SQLite::Statement add(db, "INSERT INTO file_content (hash, bytes) VALUES (?, ?)");
    add.bind(1, hash_text);
    add.bindNoCopy(2, bytes.data(), static_cast<int>(bytes.size()));
    add.exec();
    return db.getLastInsertRowid();
}

// Run `run`, or every run without one, in order.
std::vector<RunSummary> run_summaries(SQLite::Database& db, std::optional<long> run)
{
    std::vector<RunSummary> runs;
    SQLite::Statement query(db, std::string("SELECT run, revision, started_utc, call, class_id, record, result, "
                                            "total_per_period, all_per_hour, all_per_period FROM run") +
                                    (run ? " WHERE run = ?" : "") + " ORDER BY run");
    if (run) query.bind(1, static_cast<std::int64_t>(*run));
    while (query.executeStep()) {
        RunSummary& summary = runs.emplace_back();
        summary.run = static_cast<long>(query.getColumn(0).getInt64());
        summary.revision = static_cast<long>(query.getColumn(1).getInt64());
        summary.started_utc = query.getColumn(2).getString();
        summary.call = query.getColumn(3).getString();
        if (!query.getColumn(4).isNull()) summary.class_id = query.getColumn(4).getInt();
        if (!query.getColumn(5).isNull()) summary.record = query.getColumn(5).getInt();
        summary.result = query.getColumn(6).getInt();
        summary.total_per_period = number_of(query.getColumn(7));
        summary.all_per_hour = number_of(query.getColumn(8));
        summary.all_per_period = number_of(query.getColumn(9));
    }
    return runs;
}

// The runs the store keeps, as ranges: "1 to 4, 7"; empty when none.
std::string runs_kept(SQLite::Database& db)
{
    std::string text;
    SQLite::Statement query(db, "SELECT run FROM run ORDER BY run");
    long first = 0, last = 0;
    const auto close_range = [&] {
        if (first == 0) return;
        if (!text.empty()) text += ", ";
        text += std::to_string(first) + (last > first ? " to " + std::to_string(last) : "");
    };
    while (query.executeStep()) {
        const long run = static_cast<long>(query.getColumn(0).getInt64());
        if (first != 0 && run == last + 1) {
            last = run;
            continue;
        }
        close_range();
        first = last = run;
    }
    close_range();
    return text;
}

// The latest run; none when the store has none.
std::optional<long> last_run(SQLite::Database& db)
{
    const long run = static_cast<long>(db.execAndGet("SELECT coalesce(max(run), 0) FROM run").getInt64());
    if (run == 0) return std::nullopt;
    return run;
}

long write_run(SQLite::Database& db, long revision, const Project& after, const RunRecord& run)
{
    SQLite::Statement add(db, "INSERT INTO run (revision, started_utc, call, class_id, record, instance, name, "
                              "scenario, result, total_per_period, all_per_hour, all_per_period) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    add.bind(1, static_cast<std::int64_t>(revision));
    add.bind(2, utc_now());
    add.bind(3, run.call);
    if (run.class_id) add.bind(4, *run.class_id);
    if (run.record) add.bind(5, *run.record);
    add.bind(6, static_cast<std::int64_t>(run.instance));
    add.bind(7, run.name);
    add.bind(8, run.scenario);
    add.bind(9, run.result);
    bind_number(add, 10, run.total_per_period);
    bind_number(add, 11, run.all_per_hour);
    bind_number(add, 12, run.all_per_period);
    add.exec();
    const long number = static_cast<long>(db.getLastInsertRowid());

    SQLite::Statement warning(db, "INSERT INTO run_warning VALUES (?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < run.warnings.size(); ++i) {
        warning.bind(1, static_cast<std::int64_t>(number));
        warning.bind(2, static_cast<std::int64_t>(i));
        warning.bind(3, run.warnings[i].from_units);
        warning.bind(4, run.warnings[i].to_units);
        warning.bind(5, run.warnings[i].source);
        warning.bind(6, run.warnings[i].message);
        warning.exec();
        warning.reset();
    }
    write_cost_rows(db, "run_cost_row", number, after.cost_rows);
    // The summary's lines as the run printed them, for queries.
    SQLite::Statement utility(db, "INSERT INTO run_utility VALUES (?, ?, ?, ?, ?, ?, ?)");
    std::int64_t position = 0;
    for (const run_results::UtilityLine& line : run.utilities) {
        utility.bind(1, static_cast<std::int64_t>(number));
        utility.bind(2, position++);
        utility.bind(3, line.name);
        bind_number(utility, 4, line.rate);
        utility.bind(5, line.rate_units);
        bind_number(utility, 6, line.cost_per_hour);
        utility.bind(7, line.in_total ? 1 : 0);
        utility.exec();
        utility.reset();
        utility.clearBindings();
    }
    write_run_findings(db, number, run.findings);
    // The runs that write usage records: each item's usage is kept with them.
    if (run.call == "full" || (run.call == "pass" && run.record.value_or(0) != 0)) write_run_items(db, number, run.items);
    write_run_journal(db, number, run.journal);
    SQLite::Statement file(db, "INSERT INTO run_file VALUES (?, ?, ?)");
    for (const auto& [name, bytes] : run.files) {
        file.bind(1, static_cast<std::int64_t>(number));
        file.bind(2, name);
        file.bind(3, file_content(db, bytes));
        file.exec();
        file.reset();
    }
    return number;
}

}  // namespace

template <class Work>
auto Store::guarded(Work&& work)
{
    try {
        return work(*db_);
    } catch (const StoreError&) {
        throw;
    } catch (const std::exception& failure) {
        throw StoreError(path_ + ": " + failure.what());
    }
}

// The run begun and not yet recorded: its write transaction is open.
struct Store::OpenRun {
    long revision = 0;
    long base_run = 0;
    std::set<std::string, std::less<>> databases_before;
};

Store::Store(const std::string& path) : path_(path), db_(open_store(path)) {}

Store::~Store()
{
    if (!open_run_) return;
    try {
        db_->exec("ROLLBACK");
    } catch (...) {
        // The connection closes next, which rolls back all the same.
    }
}

long Store::import_revision(const Project& project, const std::string& source)
{
    return guarded([&](SQLite::Database& db) { return add_revision(db, project, source); });
}

std::unique_ptr<Project> Store::load_project(std::optional<long> run)
{
    return guarded([&](SQLite::Database& db) {
        if (run) return read_revision(db, revision_of(db, *run), *run);
        const auto [revision, last_run] = latest(db);
        return read_revision(db, revision, last_run);
    });
}

std::unique_ptr<Project> Store::load_revision(std::optional<long> revision)
{
    return guarded([&](SQLite::Database& db) {
        const long wanted = revision ? *revision : latest(db).first;
        SQLite::Statement query(db, "SELECT 1 FROM revision WHERE revision = ?");
        query.bind(1, static_cast<std::int64_t>(wanted));
        if (!query.executeStep()) throw std::runtime_error("the store has no revision " + std::to_string(wanted));
        return read_revision(db, wanted, 0);
    });
}

std::unique_ptr<Project> Store::begin_run()
{
    return guarded([&](SQLite::Database& db) {
        // Another run on the store holds the lock until it is recorded or
        // gone: this one waits for it, however long a large plant takes.
        db.setBusyTimeout(3'600'000);
        db.exec("BEGIN IMMEDIATE");
        open_run_ = std::make_unique<OpenRun>();
        std::tie(open_run_->revision, open_run_->base_run) = latest(db);
        auto project = read_revision(db, open_run_->revision, open_run_->base_run);
        for (const auto& [name, objects] : project->databases) open_run_->databases_before.emplace(name.view());
        return project;
    });
}

long Store::record_run(const Project& after, const RunRecord& run)
{
    return guarded([&](SQLite::Database& db) {
        if (!open_run_) throw std::logic_error("no run was begun");
        const long number = write_run(db, open_run_->revision, after, run);
        write_run_changes(db, number, open_run_->databases_before, after, run.writes);
        db.exec("COMMIT");
        open_run_.reset();
        return number;
    });
}

std::vector<RunSummary> Store::runs()
{
    return guarded([&](SQLite::Database& db) { return run_summaries(db, std::nullopt); });
}

RunSummary Store::run(std::optional<long> run)
{
    return guarded([&](SQLite::Database& db) {
        auto found = run_summaries(db, run ? run : last_run(db));
        if (found.empty()) {
            const std::string kept = runs_kept(db);
            throw std::runtime_error((run ? "the store has no run " + std::to_string(*run) : "the store has no run") +
                                     (kept.empty() ? ": it keeps none yet" : ": it keeps runs " + kept));
        }
        return found.front();
    });
}

std::vector<UnitWarning> Store::warnings(long run)
{
    return guarded([&](SQLite::Database& db) {
        std::vector<UnitWarning> warnings;
        SQLite::Statement query(db, "SELECT from_units, to_units, source, message FROM run_warning WHERE run = ? "
                                    "ORDER BY position");
        query.bind(1, static_cast<std::int64_t>(run));
        while (query.executeStep()) {
            warnings.push_back({text_of(query.getColumn(0)), text_of(query.getColumn(1)), text_of(query.getColumn(2)),
                                text_of(query.getColumn(3))});
        }
        return warnings;
    });
}

std::vector<checks::Finding> Store::findings(long run)
{
    return guarded([&](SQLite::Database& db) { return read_run_findings(db, run); });
}

std::optional<run_results::RunJournal> Store::journal(long run)
{
    return guarded([&](SQLite::Database& db) { return read_run_journal(db, run); });
}

std::vector<run_results::ItemUsage> Store::items(long run)
{
    return guarded([&](SQLite::Database& db) { return read_run_items(db, run); });
}

std::vector<std::pair<std::string, std::string>> Store::files(long run)
{
    return guarded([&](SQLite::Database& db) {
        std::vector<std::pair<std::string, std::string>> files;
        SQLite::Statement query(db, "SELECT name, bytes FROM run_files WHERE run = ? ORDER BY name");
        query.bind(1, static_cast<std::int64_t>(run));
        while (query.executeStep()) files.emplace_back(text_of(query.getColumn(0)), text_of(query.getColumn(1)));
        return files;
    });
}

RunDiff Store::diff(long a, long b, bool all)
{
    const RunSummary first = run(a);
    const RunSummary second = run(b);
    return guarded([&](SQLite::Database& db) { return diff_runs(db, first, second, all); });
}

}  // namespace qxhost::store
