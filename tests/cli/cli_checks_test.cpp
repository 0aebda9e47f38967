// The checks: each way a plant can be written that makes the run drop an
// amount, take it as 0 or price it in other units gives its finding.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;
using nlohmann::json;

json example(const char* name)
{
    std::ifstream file(tovex_test::source_dir() / "examples" / name);
    return json::parse(file);
}

json& object(json& plant, const std::string& name)
{
    for (json& found : plant["objects"])
        if (found["name"] == name) return found;
    throw std::runtime_error("no object " + name);
}

json& entry(json& plant, const std::string& name)
{
    for (json& found : plant["utility_streams"]["entries"])
        if (found["name"] == name) return found;
    throw std::runtime_error("no entry " + name);
}

// "severity code object" of every finding of `tovex check --json`.
std::vector<std::string> findings_of(const CommandFolder& folder, const json& plant, int* status = nullptr)
{
    const std::string path = folder.write("plant.json", plant.dump());
    const CommandResult result = folder.run({"check", path, "--json"});
    if (status != nullptr) *status = result.status;
    const json document = json::parse(result.out);
    std::vector<std::string> found;
    for (const json& finding : document.at("findings"))
        found.push_back(finding.at("severity").get<std::string>() + " " + finding.at("code").get<std::string>() +
                        " " + finding.at("object").get<std::string>());
    return found;
}

TEST(Checks, TheExamplePlantsGiveTheFindingsTheirDeliberateCasesCallFor)
{
    CommandFolder folder;
    int status = -1;
    EXPECT_EQ(findings_of(folder, example("ethylene-plant.json"), &status),
              (std::vector<std::string>{"error load-item-no-area PKG-501", "warning stream-unconnected CW-199",
                                        "note stream-joined-both-sides CW-103", "note stream-credited STM-301",
                                        "note stream-unconnected-charged RF-802"}));
    EXPECT_EQ(status, 4);
    EXPECT_EQ(findings_of(folder, example("sim-case-plant.json"), &status),
              (std::vector<std::string>{"note balance-partner-only TW-201", "note balance-own-duty HR-102",
                                        "note balance-passed-over CW-299", "note entry-free Heat Recovery"}));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(folder.work_files().empty());

    // A store is checked as it holds the project, and keeps no run of it.
    const std::string store = (folder.path() / "plant.db").string();
    const std::string plant = (tovex_test::source_dir() / "examples" / "ethylene-plant.json").string();
    ASSERT_EQ(folder.run({"import", plant, store}).status, 0);
    const CommandResult stored = folder.run({"check", store});
    EXPECT_EQ(stored.status, 4);
    EXPECT_NE(stored.out.find("error load-item-no-area: PKG-501"), std::string::npos) << stored.out;
    EXPECT_NE(folder.run({"runs", store}).err.find("keeps no run yet"), std::string::npos);
}

struct Case {
    const char* what;
    std::function<void(json&)> change;
    const char* finding;  // "severity code object" that must be among them
};

TEST(Checks, EveryWayToDropOrMispriceAnAmountIsNamed)
{
    const Case cases[] = {
        {"a misspelt utility", [](json& p) { object(p, "CW-101")["slots"]["DESCRIPTION"] = "Cooling Watr"; },
         "error utility-unknown CW-101"},
        {"another letter case", [](json& p) { object(p, "CW-101")["slots"]["DESCRIPTION"] = "cooling water"; },
         "error utility-unknown CW-101"},
        {"a misspelt entry", [](json& p) { entry(p, "Steam @165PSI")["name"] = "Steam @165PS"; },
         "error utility-unknown STM-201"},
        {"no Unit Cost", [](json& p) { entry(p, "Cooling Water")["slots"].erase("Unit Cost"); },
         "error entry-no-unit-cost Cooling Water"},
        {"no Unit Cost Units", [](json& p) { entry(p, "Cooling Water")["slots"].erase("Unit Cost Units"); },
         "error entry-no-cost-units Cooling Water"},
        {"electricity per MWH",
         [](json& p) {
             p["databases"]["OP"]["Operating Unit Costs"]["Electricity"] = {{"value", 110}, {"units", "$/MWH"}};
         },
         "error electricity-price-units OP / Operating Unit Costs"},
        {"fuel per GJ",
         [](json& p) { p["databases"]["OP"]["Operating Unit Costs"]["Fuel"] = {{"value", 7.5}, {"units", "$/GJ"}}; },
         "error fuel-price-units OP / Operating Unit Costs"},
        {"a flow without units", [](json& p) { object(p, "CW-102")["slots"]["TOTAL MASS FLOW"] = 250000; },
         "warning units-missing CW-102"},
        {"an unknown unit",
         [](json& p) { object(p, "CW-102")["slots"]["TOTAL MASS FLOW"] = {{"value", 30}, {"units", "KGS"}}; },
         "error conversion-failed CW-102"},
        {"a slot name in other letter case",
         [](json& p) {
             json& slots = object(p, "CW-102")["slots"];
             slots["Total Mass Flow"] = slots["TOTAL MASS FLOW"];
             slots.erase("TOTAL MASS FLOW");
         },
         "error quantity-missing CW-102"},
        {"a class the runs do not pass", [](json& p) { object(p, "CW-101")["class"] = 3106; },
         "error stream-class-not-run CW-101"},
        {"direction 1 for 2", [](json& p) { p["connections"][0]["direction"] = 1; }, "note stream-credited CW-101"},
        {"no hours", [](json& p) { p["databases"].erase("INV"); }, "warning hours-assumed INV / Investment Analysis Parameters"},
        {"no electricity price",
         [](json& p) { p["databases"]["OP"]["Operating Unit Costs"].erase("Electricity"); },
         "error electricity-price-missing OP / Operating Unit Costs"},
    };
    CommandFolder folder;
    for (const Case& c : cases) {
        json plant = example("ethylene-plant.json");
        c.change(plant);
        const auto found = findings_of(folder, plant);
        EXPECT_NE(std::find(found.begin(), found.end(), c.finding), found.end()) << c.what;
    }
}

TEST(Checks, StrictRefusesAPlantWithAnErrorAndWritesNothing)
{
    CommandFolder folder;
    json plant = example("ethylene-plant.json");
    object(plant, "CW-101")["slots"]["DESCRIPTION"] = "Cooling Watr";
    const std::string path = folder.write("plant.json", plant.dump());
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result =
        folder.run({"run", path, "--strict", "--dir", folder.work().string(), "--state", state});
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_NE(result.err.find("did you mean \"Cooling Water\"?"), std::string::npos) << result.err;
    EXPECT_TRUE(folder.work_files().empty());
    EXPECT_FALSE(std::filesystem::exists(state));
}

}  // namespace

namespace {

TEST(Sheets, APlantAsCsvSheetsRunsToTheSameFigures)
{
    CommandFolder folder;
    const std::string plant = (tovex_test::source_dir() / "examples" / "ethylene-plant.json").string();
    const std::string sheets = (folder.path() / "sheets").string();
    ASSERT_EQ(folder.run({"convert", plant, "--csv", sheets}).status, 0);
    const CommandResult from_json = folder.run({"run", plant, "--dir", (folder.path() / "a").string()});
    const CommandResult from_sheets = folder.run({"run", sheets, "--dir", (folder.path() / "b").string()});
    EXPECT_EQ(from_sheets.status, from_json.status) << from_sheets.err;
    EXPECT_EQ(from_sheets.out, from_json.out);
    EXPECT_EQ(folder.run({"convert", sheets}).out, folder.run({"convert", plant}).out);
}

}  // namespace
