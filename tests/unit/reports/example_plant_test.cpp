// Both runs on the example plant leave reports equal, byte for byte, to the
// golden files reviewed against the report formats.
#include <gtest/gtest.h>

#include "projfile/projfile.h"
#include "model/run_inputs.h"
#include "report_helpers.h"
#include "tovex/tovex.h"

namespace {

using reports_test::fixture;

class ExamplePlant : public ::testing::Test {
protected:
    void SetUp() override
    {
        plant = &tovex_test::load_project(fixture_text());
        const auto load_file = qxhost::electrical_load_file_text(*plant);
        ASSERT_TRUE(load_file.has_value());
        dir.write("KVT_ELEC.TMP", *load_file);
    }
    void TearDown() override { qxhost::Workspace::get().unload(); }

    static std::string fixture_text()
    {
        return tovex_test::read_file(tovex_test::source_dir() / "examples" / "ethylene-plant.json");
    }

    tovex_test::ScratchDir dir;
    qxhost::Project* plant = nullptr;
};

TEST_F(ExamplePlant, TheFullRunWritesAllFourReports)
{
    tovex_test::CallerLists lists;
    ASSERT_EQ(tovex_get_utility_init(plant->name.c_str(), plant->scenario.c_str(), plant->instance, lists.names(),
                                     lists.cost_slots(), lists.values()),
              1);
    for (const char* name : {"UtilRes.Txt", "UtilRes_DA.Txt", "UtilRes2.Txt", "UtilRes2_DA.Txt"})
        EXPECT_EQ(dir.read(name), fixture(std::string("ethylene-plant/") + name)) << name;
}

TEST_F(ExamplePlant, TheReducedRunWritesTheSummaryWithoutFuel)
{
    tovex_test::CallerLists lists;
    ASSERT_EQ(tovex_get_utility_old(plant->name.c_str(), plant->scenario.c_str(), plant->instance, lists.names(),
                                    lists.cost_slots(), lists.values()),
              1);
    const std::string fuel_line = "\"Fuel\",\"\",85.550000,\"MMBTU\",\"MMBTU/H\",\"384.975000\",$/H\n";
    for (const char* name : {"UtilRes.Txt", "UtilRes_DA.Txt"}) {
        std::string golden = fixture(std::string("ethylene-plant/") + name);
        ASSERT_TRUE(golden.ends_with(fuel_line));
        golden.resize(golden.size() - fuel_line.size());
        EXPECT_EQ(dir.read(name), golden) << name;
    }
    EXPECT_FALSE(dir.exists("UtilRes2.Txt"));
    EXPECT_FALSE(dir.exists("UtilRes2_DA.Txt"));
}

}  // namespace
