// The summary report: heading, Electricity line from the load file, entry
// lines and the DA file's cooling water view.
#include <gtest/gtest.h>

#include <filesystem>

#include "report_helpers.h"
#include "reports/summary_line.h"
#include "reports/summary_report.h"

namespace {

using reports_test::body_lines;
using reports_test::load_and_open;
using reports_test::project_parts;

constexpr const char* op_and_std = R"({
  "OP": {"Operating Unit Costs": {"Electricity": {"value": 0.1, "units": "$/KWH"}}},
  "STD": {"Standard Basis Input File": {"Currency Symbol": "$"}}})";

class SummaryReport : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    // Writes the report and returns the lines after the heading of both files.
    void write(CqxProject* project)
    {
        result = tovex::write_summary_report(project, "UtilRes.Txt", "UtilRes_DA.Txt");
        first = body_lines(dir.read("UtilRes.Txt"), tovex::summary_column_heading);
        second = body_lines(dir.read("UtilRes_DA.Txt"), tovex::summary_column_heading);
    }

    tovex_test::ScratchDir dir;
    int result = -1;
    std::vector<std::string> first;
    std::vector<std::string> second;
};

TEST_F(SummaryReport, HeadingComesFirstInBothFiles)
{
    project_parts parts;
    parts.databases = op_and_std;
    auto project = load_and_open(parts);
    write(project.get());
    EXPECT_EQ(result, 1);
    const std::string expected = std::string("\n\n\n\"Utility Information\"\n\n\n") +
                                 "\"Description\",\"Fluid\",\"Rate\",\"Units\",\"Rate Units\","
                                 "\"Cost per Hour\",\"Cost Units\"\n\n";
    EXPECT_EQ(dir.read("UtilRes.Txt"), expected);
    EXPECT_EQ(dir.read("UtilRes_DA.Txt"), expected);
}

struct load_file_case {
    const char* name;
    std::string text;
    const char* electricity_line;  // null: no Electricity line
};

TEST_F(SummaryReport, TheFirstProjectTotalLineGivesTheElectricityLine)
{
    const std::string long_line = std::string(600, 'x') + "Project Total:5 KW\n";
    const load_file_case cases[] = {
        {"total after loads", "Object Ref ID:Electrical Load (KW)\n101:50\nProject Total:12.5 KW\n",
         "\"Electricity\",\"\",12.500000,\"KW\",\"KW\",\"1.250000\",$/H"},
        {"two totals", "Project Total:20\nProject Total:30\n",
         "\"Electricity\",\"\",20.000000,\"KW\",\"KW\",\"2.000000\",$/H"},
        {"a zero total stops the reading", "Project Total:0 KW\nProject Total:30\n", nullptr},
        {"negative total", "Project Total:-4\n", nullptr},
        {"no colon", "Project Total 12\n", nullptr},
        {"colon at the very end", "Project Total:", nullptr},
        {"no total line", "Object Ref ID:Electrical Load (KW)\n101:50\n", nullptr},
        {"total past 511 characters", long_line, "\"Electricity\",\"\",5.000000,\"KW\",\"KW\",\"0.500000\",$/H"},
        {"text before the number", "Project Total:about 12\n", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        project_parts parts;
        parts.databases = op_and_std;
        auto project = load_and_open(parts);
        dir.write("KVT_ELEC.TMP", c.text);
        write(project.get());
        if (c.electricity_line == nullptr)
            EXPECT_EQ(first, std::vector<std::string>{});
        else
            EXPECT_EQ(first, std::vector<std::string>{c.electricity_line});
        EXPECT_EQ(first, second);
    }
}

TEST_F(SummaryReport, NoLoadFileNoPriceAndNoCurrency)
{
    auto project = load_and_open(project_parts{});
    write(project.get());
    EXPECT_EQ(first, std::vector<std::string>{});

    dir.write("KVT_ELEC.TMP", "Project Total:8\n");
    write(project.get());
    // Without a price the line still comes, at no cost; without a currency
    // symbol the cost units are "/H".
    EXPECT_EQ(first, std::vector<std::string>{"\"Electricity\",\"\",8.000000,\"KW\",\"KW\",\"0.000000\",/H"});
}

// One entry with the given slots; returns its line in both files.
struct entry_case {
    const char* name;
    const char* entry_name;
    std::string slots;
    std::vector<std::string> first;
    std::vector<std::string> second;
};

TEST_F(SummaryReport, EntryLinesAndTheCoolingWaterView)
{
    const std::string water = R"("Fluid": "Water", "Unit Cost Units": "$/MMBTU", "Cost per Hour": 6, )";
    const entry_case cases[] = {
        {"rate 0", "Steam", R"("Fluid": "Steam", "Rate per Hour": 0, "Cost per Hour": 5)", {}, {}},
        {"cost 0", "Steam", R"("Fluid": "Steam", "Rate per Hour": 2, "Cost per Hour": 0)", {}, {}},
        {"no slots", "Steam", "", {}, {}},
        {"negative rate",
         "Steam",
         R"("Fluid": "Steam", "Unit Cost Units": "$/KLB", "Rate per Hour": {"value": -2, "units": "KLB/H"},
            "Cost per Hour": -25)",
         {"\"Steam\",\"Steam\",-2.000000,\"KLB\",\"KLB/H\",\"-25.000000\",$/H"},
         {"\"Steam\",\"Steam\",-2.000000,\"KLB\",\"KLB/H\",\"-25.000000\",$/H"}},
        {"warming HM-UTIL water becomes cooling water by mass",
         "HM-UTIL CW",
         water + R"("Rate per Hour": {"value": 100, "units": "KJ/H"},
                    "Inlet temperature": 30, "Exit temperature": 40,
                    "Energy transfer per unit mass": {"value": 4, "units": " KJ/KG "})",
         {"\"HM-UTIL CW\",\"Water\",100.000000,\"MMBTU\",\"KJ/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",25.000000,\"KG\",\"KG/H\",\"6.000000\",$/H"}},
        {"HM-UTIL water that does not warm",
         "HM-UTIL CW",
         water + R"("Rate per Hour": {"value": 100, "units": "KJ/H"},
                    "Inlet temperature": 40, "Exit temperature": 40,
                    "Energy transfer per unit mass": {"value": 4, "units": "KJ/KG"})",
         {"\"HM-UTIL CW\",\"Water\",100.000000,\"MMBTU\",\"KJ/H\",\"6.000000\",$/H"},
         {"\"HM-UTIL CW\",\"Water\",100.000000,\"MMBTU\",\"KJ/H\",\"6.000000\",$/H"}},
        {"HM-UTIL of another fluid",
         "HM-UTIL CW",
         R"("Fluid": "Glycol", "Unit Cost Units": "$/MMBTU", "Cost per Hour": 6,
            "Rate per Hour": {"value": 100, "units": "KJ/H"}, "Inlet temperature": 30, "Exit temperature": 40,
            "Energy transfer per unit mass": {"value": 4, "units": "KJ/KG"})",
         {"\"HM-UTIL CW\",\"Glycol\",100.000000,\"MMBTU\",\"KJ/H\",\"6.000000\",$/H"},
         {"\"HM-UTIL CW\",\"Glycol\",100.000000,\"MMBTU\",\"KJ/H\",\"6.000000\",$/H"}},
        {"energy units of another family",
         "Cooling Water",
         water + R"("Rate per Hour": {"value": 100, "units": "BTU/H"},
                    "Energy transfer per unit mass": {"value": 20, "units": "KJ/KG"})",
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"}},
        {"energy units from the Energy units slot",
         "Cooling Water",
         water + R"("Rate per Hour": {"value": 100, "units": "BTU/H"},
                    "Energy transfer per unit mass": 20, "Energy units": "BTU/LB")",
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",5.000000,\"LB\",\"LB/H\",\"6.000000\",$/H"}},
        {"energy units without a mass",
         "Cooling Water",
         water + R"("Rate per Hour": {"value": 100, "units": "BTU/H"},
                    "Energy transfer per unit mass": {"value": 20, "units": "BTU"})",
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",5.000000,\"\",\"/H\",\"6.000000\",$/H"}},
        {"no energy per mass",
         "Cooling Water",
         water + R"("Rate per Hour": {"value": 100, "units": "BTU/H"},
                    "Energy transfer per unit mass": {"value": 0, "units": "BTU/LB"})",
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"}},
        {"no energy units at all",
         "Cooling Water",
         water + R"("Rate per Hour": {"value": 100, "units": "BTU/H"}, "Energy transfer per unit mass": 20)",
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"},
         {"\"Cooling Water\",\"Water\",100.000000,\"MMBTU\",\"BTU/H\",\"6.000000\",$/H"}},
        {"priced unit without a slash",
         "Plant Air",
         R"("Fluid": "Air", "Unit Cost Units": "MMBTU", "Rate per Hour": {"value": 1, "units": "KCF/H"},
            "Cost per Hour": 2)",
         {"\"Plant Air\",\"Air\",1.000000,\"U\",\"KCF/H\",\"2.000000\",$/H"},
         {"\"Plant Air\",\"Air\",1.000000,\"U\",\"KCF/H\",\"2.000000\",$/H"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        project_parts parts;
        parts.databases = op_and_std;
        parts.entries = std::string("[{\"name\": \"") + c.entry_name + "\", \"slots\": {" + c.slots + "}}]";
        auto project = load_and_open(parts);
        write(project.get());
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
}

TEST_F(SummaryReport, EntriesComeInConfigurationOrderAndInvalidOnesAreSkipped)
{
    project_parts parts;
    parts.databases = op_and_std;
    parts.entries = R"([
      {"name": "Zeta", "slots": {"Rate per Hour": 1, "Cost per Hour": 1}},
      {"name": "Broken", "valid": false},
      {"name": "Alpha", "slots": {"Rate per Hour": 2, "Cost per Hour": 2}}])";
    auto project = load_and_open(parts);
    write(project.get());
    EXPECT_EQ(first, (std::vector<std::string>{"\"Zeta\",\"\",1.000000,\"\",\"\",\"1.000000\",$/H",
                                               "\"Alpha\",\"\",2.000000,\"\",\"\",\"2.000000\",$/H"}));
}

TEST_F(SummaryReport, AnInvalidConfigurationKeepsTheElectricityLineAndFailsTheBody)
{
    project_parts parts;
    parts.databases = op_and_std;
    parts.utility_streams_extra = "\"valid\": false";
    auto project = load_and_open(parts);
    dir.write("KVT_ELEC.TMP", "Project Total:10\n");
    write(project.get());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(first, std::vector<std::string>{"\"Electricity\",\"\",10.000000,\"KW\",\"KW\",\"1.000000\",$/H"});
    EXPECT_EQ(tovex::write_summary_body(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
}

TEST_F(SummaryReport, NothingIsTouchedWithoutAProjectOrFileNames)
{
    project_parts parts;
    auto project = load_and_open(parts);
    EXPECT_EQ(tovex::write_summary_report(nullptr, "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
    EXPECT_EQ(tovex::write_summary_report(project.get(), "", "UtilRes_DA.Txt"), 0);
    EXPECT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", ""), 0);
    CqxProject other(reports_test::instance, "ANOTHER", reports_test::scenario, 0, nullptr, nullptr, 0);
    EXPECT_EQ(tovex::write_summary_report(&other, "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(SummaryReport, TheBodyNeverCreatesTheFiles)
{
    auto project = load_and_open(project_parts{});
    EXPECT_EQ(tovex::write_summary_body(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
    EXPECT_FALSE(dir.exists("UtilRes.Txt"));
    EXPECT_FALSE(dir.exists("UtilRes_DA.Txt"));
}

TEST_F(SummaryReport, LongTextsAreKeptWhole)
{
    const std::string long_name(1500, 'N');
    const std::string long_fluid(400, 'F');
    project_parts parts;
    parts.databases = op_and_std;
    parts.entries = "[{\"name\": \"" + long_name + "\", \"slots\": {\"Fluid\": \"" + long_fluid +
                    "\", \"Rate per Hour\": 1, \"Cost per Hour\": 1}}]";
    auto project = load_and_open(parts);
    write(project.get());
    EXPECT_EQ(first, std::vector<std::string>{"\"" + long_name + "\",\"" + long_fluid +
                                              "\",1.000000,\"\",\"\",\"1.000000\",$/H"});
}

}  // namespace
