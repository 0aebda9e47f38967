// The command against the project file contract where it was once broken:
// each test is one small project that shows the point.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;
using nlohmann::json;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string identity() { return R"("project": {"instance": 1, "name": "P", "scenario": "S"})"; }

CommandResult run_json(const CommandFolder& folder, const std::string& project, std::vector<std::string> more = {})
{
    std::vector<std::string> arguments{"run", folder.write("plant.json", project), "--dir", folder.work().string(),
                                       "--json"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return folder.run(arguments);
}

const json& cost_row(const json& result, const std::string& name)
{
    for (const json& row : result.at("cost_rows")) {
        if (row.at("name") == name) return row;
    }
    throw std::runtime_error("no cost row " + name);
}

bool has_warning(const json& result, const std::string& source, const std::string& message_part)
{
    for (const json& warning : result.at("warnings")) {
        if (warning.at("source") == source && contains(warning.at("message"), message_part)) return true;
    }
    return false;
}

// A duty stream of class 3005 at an item, priced per BTU.
std::string duty_plant(const std::string& sim_case, const std::string& second_duty)
{
    return "{" + identity() + ", " + sim_case + R"(,
     "utility_streams": {"entries": [{"name": "Steam", "slots": {"Unit Cost": 0.001, "Unit Cost Units": "$/BTU"}}]},
     "objects": [{"name": "I-1", "class": 1705, "slots": {"CpItemDescription": "Reboiler"}},
                 {"name": "I-2", "class": 1705, "slots": {"CpItemDescription": "Heater"}},
                 {"name": "S-1", "class": 3005, "slots": {"DESCRIPTION": "Steam", "DUTY": {"value": 1000, "units": "BTU/H"}}},
                 {"name": "S-2", "class": 3005, "slots": {"DESCRIPTION": "Steam")" + second_duty + R"(}}],
     "connections": [{"stream": "S-1", "item": "I-1", "direction": 2, "connector": "Inlet"},
                     {"stream": "S-2", "item": "I-2", "direction": 2, "connector": "Inlet"}]})";
}

TEST(Contract, ACaseThatIsNotValidStillReportsItsTypeAndClass3005IsBalanced)
{
    CommandFolder folder;
    const CommandResult result = run_json(
        folder, duty_plant(R"("simulation_case": {"sim_type": 4, "valid": false})",
                           R"(, "DUTY": {"value": 500, "units": "BTU/H"})"));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(cost_row(json::parse(result.out), "Steam").at("value"), "1500    \nBTU/H");
}

TEST(Contract, AWarningNamesTheSlotWhoseUnitsItConverts)
{
    CommandFolder folder;
    const CommandResult result = run_json(folder, duty_plant(R"("simulation_case": {"sim_type": 4})", ""));
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    ASSERT_EQ(document.at("warnings").size(), 1u) << result.out;
    EXPECT_EQ(document.at("warnings")[0].at("source"), "S-2 / DUTY (SIM)");
}

TEST(Contract, ACriterionWithoutUnitsIsTakenInTheUnitsAskedForWithAWarning)
{
    CommandFolder folder;
    const CommandResult result = run_json(folder, "{" + identity() + R"(, "configurations": [2105], "utility_streams": {"entries": []},
        "design_criteria": {"Heat Exchangers": {"Fuel heating value": 18000}},
        "objects": [{"name": "F-1", "class": 3105, "slots": {"DESCRIPTION": "Fuel",
                     "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}}],
        "connections": [{"stream": "F-1", "item": "", "direction": 2, "connector": "Inlet"}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    EXPECT_EQ(cost_row(document, "Fuel").at("value"), "18      \nMMBTU/H");
    EXPECT_TRUE(has_warning(document, "design_criteria / Heat Exchangers / Fuel heating value",
                            "taken to be in \"BTU/LB\"")) << result.out;
}

TEST(Contract, ATotalAboveTheSignedRangeIsHandedOverExactly)
{
    // 1 KLB/H at 2e15 $/KLB for 8000 h: 1.6e19, between 2^63 and 2^64.
    CommandFolder folder;
    const CommandResult result = run_json(folder, "{" + identity() + R"(,
        "utility_streams": {"entries": [{"name": "CW", "slots": {"Unit Cost": 2e15, "Unit Cost Units": "$/KLB"}}]},
        "objects": [{"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "CW",
                     "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}}],
        "connections": [{"stream": "S-1", "item": "", "direction": 2, "connector": "Inlet"}],
        "databases": {"INV": {"Investment Analysis Parameters": {"Operating Hours per Period": 8000}}}})");
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    const json& total = cost_row(document, "Total Process Utility Cost Per Period");
    EXPECT_EQ(total.at("number").get<std::uint64_t>(), 16000000000000000000u) << result.out;
}

TEST(Contract, WaterOutsideRegion1IsNamedInAWarning)
{
    CommandFolder folder;
    const CommandResult result = run_json(folder, "{" + identity() + R"(,
        "utility_streams": {"entries": [{"name": "Hot Water", "slots": {"Unit Cost": 1, "Unit Cost Units": "$/KGAL"}}]},
        "objects": [{"name": "W-1", "class": 3105, "slots": {"DESCRIPTION": "Hot Water", "FLUID": "Water",
                     "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"},
                     "TEMPERATURE": {"value": 600, "units": "DEG F"}, "PRESSURE": {"value": 20000, "units": "PSIA"}}}],
        "connections": [{"stream": "W-1", "item": "", "direction": 2, "connector": "Inlet"}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(has_warning(json::parse(result.out), "W-1",
                            "no mass density at 600 DEG F and 20000 PSIA: liquid water outside IAPWS-IF97 region 1"))
        << result.out;
}

TEST(Contract, DeepNestingIsRefusedWithItsPlace)
{
    CommandFolder folder;
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& project :
         {R"({"x": )" + deep + R"(, "y": 1})",
          "{" + identity() + R"(, "objects": [{"name": "S", "class": 3105}],
              "connections": [{"stream": "S", "item": "", "connector": "Inlet", "direction": )" + deep + "}]}"}) {
        const CommandResult result = folder.run({"run", folder.write("deep.json", project), "--dir",
                                                 folder.work().string()});
        EXPECT_EQ(result.status, 2) << result.err.substr(0, 300);
        EXPECT_TRUE(contains(result.err, "values nested deeper than 32 levels")) << result.err.substr(0, 300);
        EXPECT_TRUE(folder.work_files().empty());
    }
    const CommandResult result = folder.run({"run", (folder.path() / "deep.json").string(), "--dir",
                                             folder.work().string()});
    EXPECT_TRUE(contains(result.err, "deep.json:2:")) << result.err.substr(0, 300);
}

TEST(Contract, MessagesQuoteOnlyAShortExcerptOfAValue)
{
    CommandFolder folder;
    const std::string huge(2'000'000, 'A');
    const std::string huge_key(100'000, 'k');
    for (const std::string& project :
         {R"({"format": ")" + huge + R"(", "project": {}})", R"({"project": {"instance": 1, ")" + huge_key + R"(": 1}})",
          "{" + identity() + R"(, "connections": [{"stream": ")" + huge + R"(", "direction": 2}]})"}) {
        const CommandResult result = folder.run({"run", folder.write("big.json", project), "--dir",
                                                 folder.work().string()});
        EXPECT_EQ(result.status, 2);
        EXPECT_LT(result.err.size(), 400u) << result.err.substr(0, 400);
        EXPECT_TRUE(contains(result.err, "AAAAAAAAAA") || contains(result.err, "kkkkkkkkkk")) << result.err;
    }
}

TEST(Contract, ANulInATextIsRefusedExceptInTheLoadFile)
{
    CommandFolder folder;
    const CommandResult refused = run_json(folder, "{" + identity() + R"(,
        "objects": [{"name": "E-1\u0000X", "class": 1705}]})");
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(contains(refused.err, "at /objects/0/name: a text cannot hold U+0000")) << refused.err;
    for (const char* slot : {R"("slots": {"A\u0000": "x"})", R"("slots": {"A": ["x\u0000"]})",
                             R"("slots": {"A": {"value": 1, "units": "K\u0000W"}})"}) {
        const CommandResult result =
            run_json(folder, "{" + identity() + R"(, "objects": [{"name": "E-1", "class": 1705, )" + slot + "}]}");
        EXPECT_EQ(result.status, 2) << slot;
        EXPECT_TRUE(contains(result.err, "at /objects/0/slots/A")) << result.err;
    }

    const CommandResult loads = run_json(folder, "{" + identity() + R"(, "utility_streams": {"entries": []}, "electrical_load_file": "a\u0000b\n"})");
    EXPECT_EQ(loads.status, 0) << loads.err;
    EXPECT_EQ(folder.read(folder.work() / "KVT_ELEC.TMP"), std::string("a\0b\n", 4));
}

TEST(Contract, TextsChangedToBeValidJsonAreNamedInWarnings)
{
    // The rate units walk keeps only the last byte of the euro sign.
    CommandFolder folder;
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result = run_json(folder, "{" + identity() + R"(,
        "utility_streams": {"entries": [{"name": "Steam", "slots": {"Unit Cost": 1, "Unit Cost Units": "KLB€"}}]},
        "objects": [{"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "Steam"}}],
        "connections": [{"stream": "S-1", "item": "", "direction": 2, "connector": "Inlet"}]})",
                                          {"--state", state});
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    EXPECT_TRUE(has_warning(document, "Steam / Rate per Hour", "not valid UTF-8, written to the state"));
    EXPECT_TRUE(has_warning(document, "cost row Steam / value", "not valid UTF-8, written to the state"));
    EXPECT_TRUE(has_warning(document, "cost row Steam / value", "not valid UTF-8, written to standard output"));
    EXPECT_TRUE(contains(result.err, "(in Steam / Rate per Hour)")) << result.err;
}

}  // namespace
