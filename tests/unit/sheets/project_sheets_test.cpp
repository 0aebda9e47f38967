// A project written as sheets and read back is the same project, whatever
// order it keeps; a workbook a user filled in is read as far as it says,
// and refused naming the cell where it says something wrong.
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
