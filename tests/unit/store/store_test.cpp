// The project store: what goes in comes out equal, and what is not a store
// this build can read is refused without being touched.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include "projfile/projfile.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/table_blob.h"
#include "support/support.h"

namespace {

using qxhost::store::StoreError;

// The project file's text as the writer gives it back, the form an export
// must match.
std::string as_written(const qxhost::Project& project) { return qxhost::write_project_json(project); }

TEST(Store, GivesBackWhatWasImported)
{
    tovex_test::ScratchDir dir;
    const std::string store = dir.path() / "plant.db";
    // Every form a value can take, and the sections that are easy to lose:
    // -0, not a number and infinities, lists, defaults, an empty database,
    // a criterion without units, a load file with a NUL.
    const std::string odd = R"({"project": {"instance": 3, "name": "P", "scenario": "S", "unit_system": 1},
        "simulation_case": {"sim_type": 4, "valid": false}, "configurations": [2105, 7],
        "design_criteria": {"G": {"A": 1.5, "B": {"value": -0.0, "units": "BTU/LB"}}, "Empty": {}},
        "utility_streams": {"valid": false, "entries": [{"name": "E", "slots": {"L": ["a", "", "c"]},
                            "defaults": {"D": {"value": "nan"}}, "valid": false}]},
        "objects": [{"name": "S-1", "class": 3105, "ref_id": 4294967295, "stream_name": "s",
                     "slots": {"X": {"value": "-inf", "units": "KW"}, "Y": -0.0, "Z": "text\nwith line"},
                     "defaults": {"T": {"value": 1e308, "units": "DEG F"}}},
                    {"name": "I-1", "class": 1705, "model": "M", "area": "A-1", "slots": {}},
                    {"name": "A-1", "class": 1505}],
        "connections": [{"stream": "S-1", "item": "", "direction": 1, "connector": "Inlet"}],
        "databases": {"UTILRES0": {}, "OP": {"Operating Unit Costs": {"Fuel": ["2.5", "$/MMBTU"]}}},
        "cost_rows": [{"name": "E", "cost_slot": "E", "value": "1\nKW", "number": 18446744073709551615}],
        "electrical_loads": {"total_kw": 0.5, "items": [{"ref_id": 1, "kw": 0.25}]},
        "electrical_load_file": "a\u0000b"})";
    for (const std::string& text : {odd, dir.read((tovex_test::source_dir() / "examples/sim-case-plant.json").string()),
                                    dir.read((tovex_test::source_dir() / "examples/ethylene-plant.json").string())}) {
        const auto project = qxhost::parse_project(text, "plant.json");
        const long revision = qxhost::store::import_project(store, *project, "plant.json");
        EXPECT_EQ(as_written(*qxhost::store::Store(store).load_project()), as_written(*project)) << "revision " << revision;
    }
}

void set_pragma(const std::string& path, const std::string& pragma)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

std::string refusal(const std::string& path)
{
    try {
        qxhost::store::Store(path).load_project();
    } catch (const StoreError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(Store, RefusesWhatItCannotRead)
{
    tovex_test::ScratchDir dir;
    const std::string json = dir.path() / "plant.json";
    dir.write("plant.json", R"({"project": {"instance": 1, "name": "P", "scenario": "S"}})");
    EXPECT_EQ(refusal(json), json + ": not a tovex store (not an SQLite database)");
    EXPECT_THROW(qxhost::store::import_project(json, *qxhost::parse_project(dir.read("plant.json"), "x"), "x"),
                 StoreError);
    EXPECT_EQ(dir.read("plant.json"), R"({"project": {"instance": 1, "name": "P", "scenario": "S"}})");

    const std::string missing = dir.path() / "missing.db";
    EXPECT_EQ(refusal(missing), missing + ": cannot open: no such file");

    const std::string other = dir.path() / "other.db";
    set_pragma(other, "CREATE TABLE t (x)");
    EXPECT_EQ(refusal(other), other + ": not a tovex store (an SQLite file of another program)");

    const std::string newer = dir.path() / "newer.db";
    qxhost::store::import_project(newer, *qxhost::parse_project(dir.read("plant.json"), "plant.json"), "plant.json");
    const int later = qxhost::store::schema_version + 1;
    set_pragma(newer, "PRAGMA user_version = " + std::to_string(later));
    EXPECT_EQ(refusal(newer), newer + ": written by a newer tovex (store schema " + std::to_string(later) +
                                  "; this tovex reads up to " + std::to_string(later - 1) + ")");

    // A store cut short: SQLite's own reading of the damage, with the file.
    const std::string damaged = dir.path() / "damaged.db";
    qxhost::store::import_project(damaged, *qxhost::parse_project(dir.read("plant.json"), "plant.json"), "plant.json");
    std::filesystem::resize_file(damaged, 2000);
    EXPECT_NE(refusal(damaged).find(damaged + ": "), std::string::npos);
    EXPECT_NE(refusal(damaged), "accepted");
}

// A store of an earlier development schema is refused, not upgraded.
TEST(Store, RefusesAnEarlierDevelopmentSchema)
{
    tovex_test::ScratchDir dir;
    const std::string store = dir.path() / "old.db";
    const auto project = qxhost::parse_project(R"({"project": {"instance": 1, "name": "P", "scenario": "S"}})", "p");
    qxhost::store::import_project(store, *project, "p");
    set_pragma(store, "PRAGMA user_version = 3");
    EXPECT_EQ(refusal(store), store + ": written by a development version of tovex (store schema 3): import the "
                                      "project again into a new store");
}

// A packed database read back whole, and every cut or bent copy of it
// refused without reading past its end.
TEST(Store, PackedTablesReadBackOrAreRefused)
{
    qxhost::Database objects;
    qxhost::SlotTable& record = objects.get_or_add("$$UTILITYOBJECT##E-1");
    record.set("Steam", qxhost::Value::of_text("4.000000\nKLB/H"));
    record.set("COST PER HOUR", qxhost::Value::of_number(-0.0, "$/H"));
    record.set("L", qxhost::Value::of_list({"a", std::string("b\0c", 3), ""}));
    objects.get_or_add("empty");
    qxhost::store::BlobWriter writer;
    writer.database(objects);
    const std::string bytes = writer.bytes();

    qxhost::store::BlobReader whole(bytes);
    const qxhost::Database read = whole.database();
    EXPECT_TRUE(whole.at_end());
    ASSERT_EQ(read.size(), 2u);
    qxhost::store::BlobWriter again;
    again.database(read);
    EXPECT_EQ(again.bytes(), bytes);

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        qxhost::store::BlobReader cut(std::string_view(bytes).substr(0, size));
        EXPECT_THROW(cut.database(), std::runtime_error) << size;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string bent = bytes;
        bent[at] = '\xff';
        qxhost::store::BlobReader reader(bent);
        try {
            reader.database();
        } catch (const std::runtime_error&) {
        }
    }
}

TEST(Store, ARunCountsTheFilesWrittenSinceItStartedByTheFolderClock)
{
    tovex_test::ScratchDir dir;
    dir.write("UtilRes2.Txt", "an earlier run's report\n");
    ::usleep(20'000);  // more than a tick of the coarsest file clock
    const auto started = qxhost::store::run_start_time(dir.path());
    dir.write("UtilRes.Txt", "this run's report\n");
    const auto files = qxhost::store::files_of_run(dir.path(), started);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.front().first, "UtilRes.Txt");
    // The mark it took the time from is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
