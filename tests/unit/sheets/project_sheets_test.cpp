// A project written as sheets and read back, or copied, is the same
// project, whatever order it keeps; a workbook a user filled in is read as far as it says,
// and refused naming the cell where it says something wrong.
#include <cmath>

#include <gtest/gtest.h>

#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"
#include "support/support.h"

namespace {

using qxhost::sheets::Workbook;

// Through the CSV files, as a user's folder would hold them (every cell a
// text), or through a workbook file.
std::string round_trip(const qxhost::Project& project, bool xlsx)
{
    tovex_test::ScratchDir folder;
    const auto workbook = qxhost::sheets::project_workbook(project);
    const auto file = folder.path() / "plant.xlsx";
    if (xlsx) qxhost::sheets::write_xlsx(workbook, file);
    else qxhost::sheets::write_csv_folder(workbook, folder.path());
    const Workbook read = xlsx ? qxhost::sheets::read_xlsx(file, qxhost::sheets::project_sheet_names())
                               : qxhost::sheets::read_csv_folder(folder.path(), qxhost::sheets::project_sheet_names());
    return qxhost::write_project_json(*qxhost::sheets::project_from_workbook(read, "plant"));
}

TEST(ProjectSheets, EveryProjectReadsBackAsItWas)
{
    const auto source = tovex_test::source_dir();
    for (const auto& file :
         {source / "examples/ethylene-plant.json", source / "examples/sim-case-plant.json",
          source / "tests/fixtures/cli/plant.json", source / "tests/fixtures/cli/signs-plant.json",
          source / "tests/fixtures/cli/load-file-plant.json", source / "tests/fixtures/cli/unknown-units-plant.json",
          source / "tests/fixtures/state/odd-values.json", source / "tests/fixtures/state/odd-values.state.json"}) {
        const auto project = qxhost::read_project_file(file.string());
        EXPECT_EQ(round_trip(*project, false), qxhost::write_project_json(*project)) << file;
        EXPECT_EQ(round_trip(*project, true), qxhost::write_project_json(*project)) << file << " as a workbook";
        EXPECT_EQ(qxhost::write_project_json(*qxhost::copy_of(*project)), qxhost::write_project_json(*project))
            << file << " copied";
    }
}

}  // namespace

namespace {

using qxhost::sheets::Cell;

// The example's workbook with one cell changed, read back: the message.
std::string refusal(const std::string& sheet_name, std::size_t row, const std::string& column, Cell value)
{
    const auto project = qxhost::read_project_file((tovex_test::source_dir() / "examples/ethylene-plant.json").string());
    Workbook workbook = qxhost::sheets::project_workbook(*project);
    for (auto& sheet : workbook.sheets) {
        if (sheet.name != sheet_name) continue;
        for (std::size_t c = 0; c < sheet.columns.size(); ++c)
            if (sheet.columns[c].name == column) sheet.rows.at(row).at(c) = std::move(value);
    }
    try {
        qxhost::sheets::project_from_workbook(workbook, "plant.xlsx");
    } catch (const std::exception& error) {
        return error.what();
    }
    return "read";
}

TEST(ProjectSheets, AWrongCellIsNamed)
{
    EXPECT_EQ(refusal("Streams", 0, "TOTAL MASS FLOW [units]", Cell::of_text("KGS")),
              "plant.xlsx: Streams!H2: \"KGS\" is not a unit (did you mean \"KG/S\"?)");
    EXPECT_EQ(refusal("Streams", 0, "TOTAL MASS FLOW", Cell::of_text("lots")),
              "plant.xlsx: Streams!G2: \"lots\" is not a number");
    EXPECT_EQ(refusal("Items", 0, "Area", Cell::of_text("AREA-9")),
              "plant.xlsx: Items!D2: \"AREA-9\" is no area of the workbook");
    EXPECT_EQ(refusal("Items", 1, "Tag", Cell::of_text("E-101")),
              "plant.xlsx: Items!A3: \"E-101\" is also at Items!A2");
    EXPECT_EQ(refusal("Project", 0, "Value", Cell::of_text("seven")),
              "plant.xlsx: Project!B2: \"seven\" is not a number");
}

}  // namespace

namespace {

using qxhost::sheets::Cell;
using qxhost::sheets::Sheet;

// Every cell comes back as it went in: texts XML cannot hold as they are,
// numbers that need all seventeen digits, and a sheet large enough to be
// read in several pieces.
TEST(XlsxFile, GivesBackEveryCellAsWritten)
{
    const std::vector<Cell> odd = {
        Cell::of_text(" leading"), Cell::of_text("trailing "), Cell::of_text(" "), Cell::of_text("_x0041_ stays"),
        Cell::of_text("a\rb\nc\td"), Cell::of_text("\x01\x1f<&>\"'"), Cell::of_number(0.1 + 0.2),
        Cell::of_number(5e-324), Cell::of_number(-0.0), Cell::of_number(1e300), Cell{}, Cell::of_text("last")};
    Sheet sheet{"Odd", {}, {}};
    for (std::size_t c = 0; c < odd.size(); ++c) sheet.columns.push_back({"C" + std::to_string(c), "", {}});
    for (int row = 0; row < 30000; ++row) sheet.rows.push_back(odd);
    Workbook workbook;
    workbook.sheets.push_back(sheet);
    workbook.sheets.push_back(Sheet{"Empty", {{"Only", "", {}}}, {}});
    tovex_test::ScratchDir folder;
    qxhost::sheets::write_xlsx(workbook, folder.path() / "odd.xlsx");
    const Workbook read = qxhost::sheets::read_xlsx(folder.path() / "odd.xlsx", {"Odd", "Empty"});
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_TRUE(read.sheets[1].rows.empty());
    ASSERT_EQ(read.sheets[0].rows.size(), sheet.rows.size());
    for (std::size_t row = 0; row < sheet.rows.size(); row += 997) {
        const auto& cells = read.sheets[0].rows[row];
        ASSERT_EQ(cells.size(), odd.size()) << row;
        for (std::size_t c = 0; c < odd.size(); ++c) {
            EXPECT_EQ(cells[c].kind, odd[c].kind) << row << ", " << c;
            EXPECT_EQ(cells[c].text, odd[c].text) << row << ", " << c;
            EXPECT_EQ(std::signbit(cells[c].number), std::signbit(odd[c].number)) << c;
            if (odd[c].kind == Cell::Kind::number) {
                EXPECT_EQ(cells[c].number, odd[c].number) << c;
            }
        }
    }
}

}  // namespace
