// The electricity lines of the detailed report, from the load file, and the
// usage records they leave.
#include <gtest/gtest.h>

#include <filesystem>

#include "report_helpers.h"
#include "reports/detailed_line.h"
#include "reports/detailed_report.h"

namespace {

using reports_test::body_lines;
using reports_test::load_and_open;
using reports_test::project_parts;
using reports_test::record_has;
using reports_test::record_text;

constexpr const char* electricity_at_half = R"({"OP": {"Operating Unit Costs": {"Electricity": {"value": 0.5, "units": "$/KWH"}}}})";

const std::string items = R"([
  {"name": "AREA-1", "class": 1505, "ref_id": 1,
   "slots": {"ArAreaReferenceNumber": "100", "ArReportGroupNumber": "7"}},
  {"name": "A-1", "class": 1705, "ref_id": 11, "model": "PUMP", "area": "AREA-1",
   "slots": {"CpItemDescription": "First"}},
  {"name": "Z-1", "class": 1705, "ref_id": 12, "model": "FAN", "area": "AREA-1",
   "slots": {"CpItemDescription": "Last"}},
  {"name": "NOAREA", "class": 1705, "ref_id": 13, "model": "SKID", "slots": {"CpItemDescription": "Loose"}},
  {"name": "S-1", "class": 3105, "ref_id": 14},
  {"name": "B-1", "class": 1705, "ref_id": 15, "model": "BLOWER", "area": "AREA-1",
   "defaults": {"CpItemDescription": "Inherited only"}}])";

std::string electricity_line(const std::string& model, const std::string& description, const std::string& load,
                             const std::string& cost)
{
    return "\"Electricity\",\"\",\"" + model + "\",\"" + description + "\"," + load + ",\"KW\",\"KWH\", " + cost +
           ", ,\"\", ,\"\", ,\"\",  ,\"\",\"\",\"100\",\"7\",,\"\",,\"\"";
}

double cost_per_hour(const std::string& record)
{
    CqxGenericObject object(reports_test::instance, "UTILRES0", record, 0, nullptr, 0);
    double cost = -1.0;
    std::string units;
    object.GetValue("COST PER HOUR", cost, units);
    return cost;
}

class ElectricityDetail : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    // Creates both report files holding the column heading, as the heading
    // writer leaves them, and runs the electricity detail.
    void run(const project_parts& parts, const std::string& load_file)
    {
        project = load_and_open(parts);
        if (load_file.empty())
            std::filesystem::remove(dir.path() / "KVT_ELEC.TMP");
        else
            dir.write("KVT_ELEC.TMP", load_file);
        dir.write("UtilRes2.Txt", tovex::detailed_column_heading);
        dir.write("UtilRes2_DA.Txt", tovex::detailed_column_heading);
        result = tovex::write_electricity_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
        main_lines = body_lines(dir.read("UtilRes2.Txt"), tovex::detailed_column_heading);
        EXPECT_EQ(main_lines, body_lines(dir.read("UtilRes2_DA.Txt"), tovex::detailed_column_heading));
    }

    project_parts with_items() const
    {
        project_parts parts;
        parts.objects = items;
        parts.databases = electricity_at_half;
        return parts;
    }

    tovex_test::ScratchDir dir;
    std::unique_ptr<CqxProject> project;
    int result = -1;
    std::vector<std::string> main_lines;
};

TEST_F(ElectricityDetail, OneLinePerEquipmentItemInAnAreaInByteOrderOfTheName)
{
    run(with_items(),
        "Object Ref ID:Electrical Load (KW)\n"
        "12:2\n"
        "11:12.5\n"
        "11:3\n"     // replaces the load of A-1
        "13:4\n"     // no area
        "14:5\n"     // a stream
        "1:6\n"      // an area
        "99:7\n"     // no such object
        "11:1:2\n"   // three pieces
        "11 1\n"     // one piece
        "11:0\n"     // a zero load is no load
        "Project Total:30\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(main_lines, (std::vector<std::string>{electricity_line("PUMP", "First", "3.000000", "1.500000"),
                                                    electricity_line("FAN", "Last", "2.000000", "1.000000")}));

    EXPECT_EQ(record_text("$$ELECTRCOBJECT##A-1", "Electricity"), "3.000000\nKWH");
    EXPECT_EQ(record_text("$$ELECTRCOBJECT##A-1", "CpItemDescription"), "First");
    EXPECT_EQ(record_text("$$ELECTRCOBJECT##A-1", "UTILITY NAME"), "Electricity");
    EXPECT_EQ(cost_per_hour("$$ELECTRCOBJECT##A-1"), 1.5);
    EXPECT_EQ(cost_per_hour("$$ELECTRCOBJECT##Z-1"), 1.0);
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##A-1", "Electricity-STREAM"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##NOAREA", "Electricity"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##S-1", "Electricity"));
}

TEST_F(ElectricityDetail, ANegativeLoadIsTakenAndTheDescriptionIsNotInherited)
{
    run(with_items(), "15:-2\n");
    EXPECT_EQ(main_lines, std::vector<std::string>{electricity_line("BLOWER", "", "-2.000000", "-1.000000")});
}

TEST_F(ElectricityDetail, NoPriceOrNoLoadFileLeavesOnlyTheLineFeeds)
{
    project_parts no_price = with_items();
    no_price.databases = R"({"OP": {"Operating Unit Costs": {}}})";
    run(no_price, "11:12.5\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), std::string(tovex::detailed_column_heading) + "\n\n");
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##A-1", "Electricity"));

    run(with_items(), "");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("UtilRes2_DA.Txt"), std::string(tovex::detailed_column_heading) + "\n\n");
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##A-1", "Electricity"));
}

TEST_F(ElectricityDetail, TheObjectListIsReleasedAfterACompletePass)
{
    run(with_items(), "11:1\n");
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(qxhost::Workspace::get().object_list_built);
}

TEST_F(ElectricityDetail, LongNamesAndTextsAreKeptWhole)
{
    const std::string name(300, 'E');
    const std::string description(700, 'd');
    const std::string model(600, 'm');
    project_parts parts = with_items();
    parts.objects = R"([{"name": "AREA-1", "class": 1505,
                         "slots": {"ArAreaReferenceNumber": "100", "ArReportGroupNumber": "7"}},
                        {"name": ")" + name + R"(", "class": 1705, "ref_id": 5, "model": ")" + model +
                    R"(", "area": "AREA-1", "slots": {"CpItemDescription": ")" + description + R"("}}])";
    run(parts, "5:4\n");
    EXPECT_EQ(main_lines, std::vector<std::string>{electricity_line(model, description, "4.000000", "2.000000")});
    EXPECT_EQ(cost_per_hour("$$ELECTRCOBJECT##" + name), 2.0);
    EXPECT_EQ(record_text("$$ELECTRCOBJECT##" + name, "CpItemDescription"), description);
}

}  // namespace
