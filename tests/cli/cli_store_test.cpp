// The store commands as a user runs them: import, runs on the store, export,
// the list of runs and their reports; and runs that are killed or start at
// once.
#include <gtest/gtest.h>

#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <random>
#include <thread>

#include <nlohmann/json.hpp>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

TEST(StoreCommands, ExportGivesBackTheImportedProject)
{
    CommandFolder folder;
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    const std::string store = (folder.path() / "plant.db").string();
    const CommandResult imported = folder.run({"import", plant, store});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, store + ": revision 1 from " + plant + "\n");

    const CommandResult exported = folder.run({"export", store});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, qxhost::write_project_json(*qxhost::read_project_file(plant)));
    const std::string copy = (folder.path() / "copy.json").string();
    ASSERT_EQ(folder.run({"export", store, "-o", copy}).status, 0);
    EXPECT_EQ(folder.read(copy), exported.out);
}

TEST(StoreCommands, BadInputEndsWithStatus2AndWritesNothing)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    const CommandResult bad_project = folder.run({"import", folder.fixture("syntax-error.json"), store});
    EXPECT_EQ(bad_project.status, 2);
    EXPECT_FALSE(std::filesystem::exists(store));

    const std::string json = folder.fixture("plant.json");
    const CommandResult not_a_store = folder.run({"export", json});
    EXPECT_EQ(not_a_store.status, 2);
    EXPECT_EQ(not_a_store.err, "tovex: " + json + ": not a tovex store (not an SQLite database)\n");
    EXPECT_EQ(folder.run({"export", store}).status, 2);
}

// The same runs made on a store and on a chain of state files leave the
// same project and write the same files.
TEST(StoreRuns, MatchRunsOnStateFiles)
{
    const std::vector<std::vector<std::string>> calls = {{"run"}, {"run", "--reduced"}, {"pass", "--class", "3105", "--record"}};
    for (const char* example : {"examples/ethylene-plant.json", "examples/sim-case-plant.json"}) {
        CommandFolder folder;
        const std::string store = (folder.path() / "plant.db").string();
        ASSERT_EQ(folder.run({"import", (tovex_test::source_dir() / example).string(), store}).status, 0);
        std::string state = (tovex_test::source_dir() / example).string();
        for (std::size_t n = 1; n <= calls.size(); ++n) {
            const auto run_dir = folder.path() / ("store-" + std::to_string(n));
            const auto file_dir = folder.path() / ("file-" + std::to_string(n));
            std::filesystem::create_directory(run_dir);
            std::filesystem::create_directory(file_dir);
            const std::string next_state = (folder.path() / ("state-" + std::to_string(n) + ".json")).string();

            std::vector<std::string> on_store = calls[n - 1];
            on_store.insert(on_store.begin() + 1, store);
            for (const std::string& word : {std::string("--dir"), run_dir.string()}) on_store.push_back(word);
            std::vector<std::string> on_file = calls[n - 1];
            on_file.insert(on_file.begin() + 1, state);
            for (const std::string& word : {std::string("--dir"), file_dir.string(), std::string("--state"), next_state})
                on_file.push_back(word);
            const CommandResult stored = folder.run(on_store);
            ASSERT_EQ(stored.status, 0) << stored.err;
            ASSERT_EQ(folder.run(on_file).status, 0);
            state = next_state;

            const CommandResult exported = folder.run({"export", store, "--run", std::to_string(n)});
            EXPECT_EQ(exported.out, folder.read(state)) << example << " run " << n;
            const auto report_dir = folder.path() / ("report-" + std::to_string(n));
            std::filesystem::create_directory(report_dir);
            ASSERT_EQ(folder.run({"report", store, "--run", std::to_string(n), "--dir", report_dir.string()}).status, 0);
            for (const auto& file : std::filesystem::directory_iterator(file_dir))
                EXPECT_EQ(folder.read(report_dir / file.path().filename()), folder.read(file.path()))
                    << example << " run " << n << " " << file.path().filename();
        }
        EXPECT_EQ(folder.run({"export", store}).out, folder.read(state));
        const CommandResult runs = folder.run({"runs", store});
        EXPECT_NE(runs.out.find("3  "), std::string::npos) << runs.out;
        EXPECT_NE(runs.out.find("pass 3105 --record  result 1"), std::string::npos) << runs.out;
    }
}

// What the store holds: its integrity, and the runs it records, each whole
// (its cost rows and files are there, and its project can be exported).
struct StoreCheck {
    std::string integrity;
    int runs = 0;
    int incomplete = 0;
};

StoreCheck check_store(const std::string& path)
{
    StoreCheck check;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const auto each_row = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += values[0] ? values[0] : "";
        return 0;
    };
    sqlite3_exec(db, "PRAGMA integrity_check", each_row, &check.integrity, nullptr);
    std::string count;
    sqlite3_exec(db, "SELECT count(*) FROM run", each_row, &count, nullptr);
    check.runs = std::stoi(count);
    std::string incomplete;
    sqlite3_exec(db,
                 "SELECT count(*) FROM run AS r WHERE (SELECT count(*) FROM run_cost_row WHERE run = r.run) = 0 "
                 "OR (SELECT count(*) FROM run_files WHERE run = r.run) <> 5 "
                 "OR (SELECT count(*) FROM run_database WHERE run = r.run) = 0",
                 each_row, &incomplete, nullptr);
    check.incomplete = std::stoi(incomplete);
    sqlite3_close(db);
    return check;
}

TEST(StoreRuns, AKilledRunLeavesTheStoreAsItWas)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    ASSERT_EQ(folder.run({"import", plant, store}).status, 0);
    const std::vector<std::string> run = {"run", store, "--dir", folder.work().string()};

    // How long one run takes here, so that the kills fall across all of it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(folder.run(run).status, 0);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    // A run killed after it was recorded is kept whole; one killed before,
    // not at all.
    std::mt19937 random(20261209);
    int recorded = 1;
    for (int attempt = 0; attempt < 40; ++attempt) {
        const pid_t child = folder.start(run, "killed");
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (span.count() + 1)));
        kill(child, SIGKILL);
        const bool finished = folder.finish(child, "killed").status == 0;
        ASSERT_EQ(folder.run({"runs", store}).status, 0);
        const StoreCheck check = check_store(store);
        ASSERT_EQ(check.integrity, "ok");
        ASSERT_EQ(check.incomplete, 0);
        ASSERT_TRUE(check.runs == recorded || check.runs == recorded + 1) << check.runs << " after " << recorded;
        ASSERT_TRUE(!finished || check.runs == recorded + 1);
        recorded = check.runs;
    }
}

TEST(StoreRuns, RunsStartedAtOnceTakeTurnsAndAreBothRecorded)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    ASSERT_EQ(folder.run({"import", plant, store}).status, 0);
    std::filesystem::create_directory(folder.path() / "a");
    std::filesystem::create_directory(folder.path() / "b");
    const pid_t first = folder.start({"run", store, "--dir", (folder.path() / "a").string()}, "a");
    const pid_t second = folder.start({"run", store, "--dir", (folder.path() / "b").string()}, "b");
    EXPECT_EQ(folder.finish(first, "a").status, 0);
    EXPECT_EQ(folder.finish(second, "b").status, 0);

    // Each started from what the other left: as two runs one after the other.
    const std::string once = (folder.path() / "once.json").string();
    const std::string twice = (folder.path() / "twice.json").string();
    ASSERT_EQ(folder.run({"run", plant, "--dir", folder.work().string(), "--state", once}).status, 0);
    ASSERT_EQ(folder.run({"run", once, "--dir", folder.work().string(), "--state", twice}).status, 0);
    EXPECT_EQ(folder.run({"export", store}).out, folder.read(twice));
    EXPECT_EQ(check_store(store).runs, 2);
}

TEST(StoreRuns, TheQueriesOfTheStorePageRunAsWritten)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    ASSERT_EQ(folder.run({"import", (tovex_test::source_dir() / "examples/ethylene-plant.json").string(), store}).status,
              0);
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string()}).status, 0);

    const std::string page = folder.read(tovex_test::source_dir() / "docs/store.md");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    int queries = 0;
    for (std::size_t at = page.find("```sql\n"); at != std::string::npos; at = page.find("```sql\n", at)) {
        at += 7;
        const std::string query = page.substr(at, page.find("```", at) - at);
        sqlite3_stmt* statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_ROW) << query;
        sqlite3_finalize(statement);
        ++queries;
    }
    sqlite3_close(db);
    EXPECT_EQ(queries, 5);
}

// What a run keeps of its warnings is the run's own: writing the state
// file and the JSON output names texts that are not UTF-8, and those notes
// go to the terminal, not into the store.
TEST(StoreRuns, KeptWarningsDoNotDependOnTheOutputsAskedFor)
{
    CommandFolder folder;
    folder.write("euro.json", R"({"project": {"instance": 1, "name": "P", "scenario": "S"},
        "utility_streams": {"entries": [{"name": "Steam", "slots": {"Unit Cost": 1, "Unit Cost Units": "KLB€"}}]},
        "objects": [{"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "Steam"}}],
        "connections": [{"stream": "S-1", "item": "", "direction": 2, "connector": "Inlet"}]})");
    const std::string store = (folder.path() / "euro.db").string();
    ASSERT_EQ(folder.run({"import", (folder.path() / "euro.json").string(), store}).status, 0);
    const CommandResult noted = folder.run({"run", store, "--dir", folder.work().string(), "--json", "--state",
                                            (folder.path() / "state.json").string()});
    ASSERT_EQ(noted.status, 0) << noted.err;
    EXPECT_NE(noted.err.find("written to standard output"), std::string::npos) << noted.err;
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string()}).status, 0);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT run, count(*), sum(message LIKE '%written to%') FROM run_warning "
                                     "GROUP BY run ORDER BY run", -1, &rows, nullptr),
              SQLITE_OK);
    std::vector<std::string> counts;
    while (sqlite3_step(rows) == SQLITE_ROW)
        counts.push_back(std::to_string(sqlite3_column_int(rows, 1)) + "/" + std::to_string(sqlite3_column_int(rows, 2)));
    sqlite3_finalize(rows);
    sqlite3_close(db);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[0], counts[1]);
    EXPECT_EQ(counts[0].substr(counts[0].find('/')), "/0");
}

// An item using two utilities: its record keeps the cost of the last line
// only, and the store gives each its own.
TEST(StoreRuns, EachItemKeepsTheCostOfEachUtility)
{
    CommandFolder folder;
    folder.write("two.json", R"({"project": {"instance": 7, "name": "TWO", "scenario": "Base"},
        "utility_streams": {"entries": [
          {"name": "Cooling Water", "slots": {"Unit Cost": {"value": 0.12, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}},
          {"name": "Steam", "slots": {"Unit Cost": {"value": 12.5, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}}]},
        "objects": [{"name": "E-1", "class": 1705, "slots": {"CpItemDescription": "Condenser"}},
          {"name": "CW-1", "class": 3105, "slots": {"DESCRIPTION": "Cooling Water", "TOTAL MASS FLOW": {"value": 250000, "units": "LB/H"}}},
          {"name": "ST-1", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 4000, "units": "LB/H"}}}],
        "connections": [{"stream": "CW-1", "item": "E-1", "direction": 2, "connector": "Inlet"},
                        {"stream": "ST-1", "item": "E-1", "direction": 2, "connector": "Inlet"}]})");
    const std::string store = (folder.path() / "two.db").string();
    ASSERT_EQ(folder.run({"import", (folder.path() / "two.json").string(), store}).status, 0);
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string()}).status, 0);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT item, utility, amount, cost_per_hour FROM run_item ORDER BY position", -1,
                                 &rows, nullptr),
              SQLITE_OK);
    std::vector<std::string> seen;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        seen.push_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(rows, 0))) + " " +
                       reinterpret_cast<const char*>(sqlite3_column_text(rows, 1)) + " " +
                       std::to_string(sqlite3_column_double(rows, 2)) + " " +
                       std::to_string(sqlite3_column_double(rows, 3)));
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    EXPECT_EQ(seen, (std::vector<std::string>{"E-1 Cooling Water 250.000000 30.000000", "E-1 Steam 4.000000 50.000000"}));
}

// Two runs with a dearer electricity: only what the price moves is shown,
// each item's cost per utility as the run wrote it, and the price itself.
TEST(StoreRuns, DiffShowsWhatChangedFromOneRunToAnother)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    const std::string plant = folder.read(tovex_test::source_dir() / "examples/ethylene-plant.json");
    const std::string cheap = R"("Electricity": {"value": 0.07)";
    ASSERT_NE(plant.find(cheap), std::string::npos);
    std::string dearer = plant;
    dearer.replace(dearer.find(cheap), cheap.size(), R"("Electricity": {"value": 0.09)");
    folder.write("dearer.json", dearer);
    ASSERT_EQ(folder.run({"import", (tovex_test::source_dir() / "examples/ethylene-plant.json").string(), store}).status,
              0);
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string()}).status, 0);
    ASSERT_EQ(folder.run({"import", (folder.path() / "dearer.json").string(), store}).status, 0);
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string()}).status, 0);
    ASSERT_EQ(folder.run({"run", store, "--reduced", "--dir", folder.work().string()}).status, 0);

    const CommandResult diff = folder.run({"diff", store, "1", "2", "--json"});
    ASSERT_EQ(diff.status, 0) << diff.err;
    const auto json = nlohmann::json::parse(diff.out);
    // Dearer electricity: its line changes, and the total of all utilities
    // with it, while the total per period, which leaves it out, does not.
    ASSERT_EQ(json["utilities"].size(), 1u);
    EXPECT_EQ(json["utilities"][0]["utility"], "Electricity");
    EXPECT_EQ(json["utilities"][0]["in_total"], false);
    EXPECT_EQ(json["total_per_period"]["from"], json["total_per_period"]["to"]);
    EXPECT_NEAR(json["all_per_hour"]["to"].get<double>() - json["all_per_hour"]["from"].get<double>(),
                9730.5 * 0.02, 0.01);
    ASSERT_EQ(json["items"].size(), 2u);
    EXPECT_EQ(json["items"][0]["item"], "K-201");
    EXPECT_EQ(json["items"][0]["utility"], "Electricity");
    EXPECT_DOUBLE_EQ(json["items"][0]["cost_per_hour"]["from"].get<double>(), 9500 * 0.07);
    EXPECT_DOUBLE_EQ(json["items"][0]["cost_per_hour"]["to"].get<double>(), 9500 * 0.09);
    ASSERT_EQ(json["inputs"].size(), 1u);
    EXPECT_EQ(json["inputs"][0]["place"], "OP / Operating Unit Costs / Electricity");
    EXPECT_EQ(json["inputs"][0]["from"], "0.07 $/KWH");
    EXPECT_EQ(json["inputs"][0]["to"], "0.09 $/KWH");

    // Every utility with --all; a reduced run keeps no items; one revision
    // has no inputs to compare.
    const auto all = nlohmann::json::parse(folder.run({"diff", store, "2", "3", "--json", "--all"}).out);
    EXPECT_EQ(all["utilities"].size(), 8u);  // Electricity, six entries and Fuel
    EXPECT_EQ(all["items_kept"]["to"], false);
    EXPECT_EQ(all["inputs"].size(), 0u);
    const CommandResult text = folder.run({"diff", store, "1", "2"});
    EXPECT_NE(text.out.find("K-201   Electricity  9500.000  9500.000  +0.000  KWH    665.00    855.00    +190.00\n"),
              std::string::npos)
        << text.out;

    const CommandResult missing = folder.run({"diff", store, "1", "9"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "tovex: " + store + ": the store has no run 9: it keeps runs 1 to 3\n");
}

}  // namespace
