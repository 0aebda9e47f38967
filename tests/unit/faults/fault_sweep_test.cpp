// The example plant's run on a store, as the command makes it, with one
// fault injected: the Nth file open, write or close fails, or the Nth slot
// write, for every N until a run meets no fault. Whatever fails, the run
// ends with 1, report lines written before the fault stay, no file is
// presented whole that is not, and the store holds the run whole or not at
// all. The sanitized build runs the same sweep for crashes and leaks.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "failing_files.h"
#include "fileio/atomic_file.h"
#include "host/unitkit.h"
#include "model/run_inputs.h"
#include "objstore/fault_injection.h"
#include "model/workspace.h"
#include "model/cost_row_lists.h"
#include "projfile/projfile.h"
#include "run_results/run_journal.h"
#include "store/store.h"
#include "support/support.h"
#include "tovex/tovex.h"

namespace {

namespace fs = std::filesystem;
using failing_files::Lasting;
using failing_files::Operation;
using Files = std::map<std::string, std::string>;

constexpr const char* store_name = "plant.db";
constexpr const char* template_name = "template.db";

// Where two texts part, to name in a failure rather than both texts whole.
std::string difference(const std::string& a, const std::string& b)
{
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    if (at == a.size() && at == b.size()) return {};
    const std::size_t from = at < 60 ? 0 : at - 60;
    return "they part at byte " + std::to_string(at) + " of " + std::to_string(a.size()) + " and " +
           std::to_string(b.size()) + ": \"" + a.substr(from, 120) + "\" against \"" + b.substr(from, 120) + "\"";
}

std::string keys_of(const Files& files)
{
    std::string names;
    for (const auto& [name, text] : files) names += name + " ";
    return names;
}

// The files of the working folder but the store's, by name.
Files folder_files()
{
    Files files;
    for (const auto& entry : fs::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("plant.db", 0) == 0 || name == template_name) continue;
        files[name] = tovex_test::read_file(entry.path());
    }
    return files;
}

// What a run left: the entry point's result (when the run was reached),
// the folder's files, whether the state file and the store's record were
// written, and the report files as they stood when the fault was made.
struct Outcome {
    std::optional<int> result;
    Files files;
    bool state_written = false;
    std::string project_after;  // the project as the run left it, as a state file
    bool recorded = false;
    Files at_fault;
    bool fault_made = false;
};

// The command's steps for `tovex run plant.db --state state.json`, each
// ending the run where the command would end it.
void run_on_store(Outcome& outcome)
{
    const auto started = qxhost::store::run_start_time(".");
    std::optional<qxhost::store::Store> store;
    std::unique_ptr<qxhost::Project> project;
    try {
        store.emplace(store_name);
        project = store->begin_run();
    } catch (const qxhost::store::StoreError&) {
        return;
    }
    qxhost::LoadedProject loaded(std::move(project));
    qxhost::Project& run = loaded.project();
    try {
        qxhost::write_file_atomically("KVT_ELEC.TMP", *qxhost::electrical_load_file_text(run));
    } catch (const qxhost::FileWriteError&) {
        return;
    }
    qxhost::store::RunRecord record;
    qxhost::run_results::RunResults results;  // the record views its items
    {
        qxhost::CallerLists lists(run.cost_rows);
        unitkit_clear_warnings();
        const qxhost::run_results::JournalKeeper keeper(run.cost_rows);
        outcome.result = tovex_get_utility_init(run.name.c_str(), run.scenario.c_str(), run.instance,
                                                lists.names(), lists.cost_slots(), lists.values());
        lists.copy_values_to(run.cost_rows);
        record.journal = keeper.journal();
        record.writes = qxhost::Workspace::get().writes();
        results = qxhost::run_results::run_results(run, "", "");
        record.total_per_period = results.totals.per_period;
        record.items = results.items;
    }
    outcome.project_after = qxhost::write_project_json(run);
    try {
        qxhost::write_file_atomically("state.json", [&](const qxhost::PieceWriter& write) {
            qxhost::write_project_json(run, write);
        });
        outcome.state_written = true;
    } catch (const qxhost::FileWriteError&) {
        return;
    }
    record.call = "full";
    record.instance = run.instance;
    record.name = run.name;
    record.scenario = run.scenario;
    record.result = *outcome.result;
    record.warnings = unitkit_warnings();
    try {
        record.files = qxhost::store::files_of_run(".", started);
        store->record_run(run, record);
        outcome.recorded = true;
    } catch (const qxhost::store::StoreError&) {
    }
}

class FaultSweep : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<tovex_test::ScratchDir>();
        const auto project = qxhost::parse_project(
            tovex_test::read_file(tovex_test::source_dir() / "examples/ethylene-plant.json"),
            "ethylene-plant.json");
        qxhost::store::import_project(template_name, *project, "ethylene-plant.json");
        template_project = stored_project_text(template_name);
        clean = std::make_unique<Outcome>(run_with_fault([](Outcome&) {}));
        ASSERT_EQ(clean->result, 1);
        ASSERT_TRUE(clean->recorded);
    }
    static void TearDownTestSuite()
    {
        clean.reset();
        scratch.reset();
    }

    static std::string stored_project_text(const std::string& path)
    {
        return qxhost::write_project_json(*qxhost::store::Store(path).load_project());
    }

    // A run from a fresh copy of the store, with the fault `arm` sets.
    template <class Arm>
    static Outcome run_with_fault(Arm arm)
    {
        for (const auto& entry : fs::directory_iterator("."))
            if (entry.path().filename() != template_name) fs::remove_all(entry.path());
        fs::copy_file(template_name, store_name);
        Outcome outcome;
        arm(outcome);
        run_on_store(outcome);
        outcome.fault_made = failing_files::disarm();
        outcome.files = folder_files();
        return outcome;
    }

    // Runs with the Nth operation failing for N = 1, 2, ... and checks each;
    // returns how many runs met their fault.
    static long sweep(Operation kind, Lasting lasting)
    {
        long n = 1;
        for (;; ++n) {
            const Outcome outcome = run_with_fault([&](Outcome& out) {
                failing_files::fail_at(kind, n, lasting, [&out] { out.at_fault = folder_files(); });
            });
            if (!outcome.fault_made) break;
            check(outcome, lasting, "fault at " + std::to_string(n));
        }
        return n - 1;
    }

    static void check(const Outcome& outcome, Lasting lasting, const std::string& place)
    {
        SCOPED_TRACE(place);
        if (outcome.result) {
            EXPECT_EQ(*outcome.result, 1);
        }
        // What was in a report when a passing fault was made is what the run
        // without a fault had written by then, and it stays. (A lasting
        // fault ends each writer that meets it, and the writers after it
        // append to what is there: the reports then hold a mix that only the
        // sections' own tests can judge.)
        for (const auto& [name, before] : outcome.at_fault) {
            if (lasting != Lasting::once || name.front() == '.') continue;  // '.': a temporary file
            const auto after = outcome.files.find(name);
            ASSERT_NE(after, outcome.files.end()) << name << " was removed";
            EXPECT_EQ(difference(clean->files.at(name).substr(0, before.size()), before), "") << name;
            EXPECT_EQ(difference(after->second.substr(0, before.size()), before), "") << name;
        }
        // The state file is whole or absent, with no temporary file left.
        if (outcome.state_written) {
            EXPECT_EQ(difference(outcome.files.at("state.json"), outcome.project_after), "");
        } else {
            EXPECT_EQ(outcome.files.count("state.json"), 0u);
        }
        for (const auto& [name, text] : outcome.files)
            EXPECT_TRUE(clean->files.count(name)) << name << " is left over";
        check_store(outcome);
    }

    // The run is in the store whole, or the store is as it was.
    static void check_store(const Outcome& outcome)
    {
        qxhost::store::Store store(store_name);
        const auto runs = store.runs();
        if (!outcome.recorded) {
            EXPECT_TRUE(runs.empty());
            EXPECT_EQ(difference(stored_project_text(store_name), template_project), "");
            return;
        }
        ASSERT_EQ(runs.size(), 1u);
        // Every file the run left is kept, as it is in the folder.
        Files kept;
        for (auto& [name, bytes] : store.files(runs.front().run)) kept[name] = bytes;
        Files left = outcome.files;
        left.erase("state.json");
        EXPECT_EQ(keys_of(kept), keys_of(left));
        for (const auto& [name, bytes] : kept) EXPECT_EQ(difference(outcome.files.at(name), bytes), "") << name;
        // The project kept is the one the run left, which the state file holds.
        EXPECT_EQ(difference(stored_project_text(store_name), outcome.files.at("state.json")), "");
    }

    static inline std::unique_ptr<tovex_test::ScratchDir> scratch;
    static inline std::string template_project;  // the store's project before the run
    static inline std::unique_ptr<Outcome> clean;  // the run without a fault
};

TEST_F(FaultSweep, EachFileOpenThatFails)
{
    EXPECT_GT(sweep(Operation::open, Lasting::once), 10);
    EXPECT_GT(sweep(Operation::open, Lasting::from_then_on), 10);
}

TEST_F(FaultSweep, EachFileWriteThatFails)
{
    EXPECT_GT(sweep(Operation::write, Lasting::once), 10);
    EXPECT_GT(sweep(Operation::write, Lasting::from_then_on), 10);
}

TEST_F(FaultSweep, EachFileCloseThatFails)
{
    EXPECT_GT(sweep(Operation::close, Lasting::once), 10);
    EXPECT_GT(sweep(Operation::close, Lasting::from_then_on), 10);
}

TEST_F(FaultSweep, EachSlotWriteThatFails)
{
    long n = 1;
    for (;; ++n) {
        const Outcome outcome = run_with_fault([&](Outcome&) { qxhost::fail_slot_write_at(n); });
        const bool made = !qxhost::slot_write_failure_pending();
        qxhost::fail_slot_write_at(0);
        if (!made) break;
        check(outcome, Lasting::once, "slot write " + std::to_string(n));
    }
    EXPECT_GT(n, 10);
}

}  // namespace
