// Arbitrary bytes as a user's sheets: the first byte picks the sheet, the
// rest is its CSV text, beside the example plant's other sheets; and the
// same bytes as an XLSX file. Either is refused with a message naming the
// file, or read into a project that reads back the same through the sheets
// and runs in full.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "fuzz_support.h"
#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"

namespace {

// The project, or nothing when it is refused as a user's file is refused.
std::unique_ptr<qxhost::Project> read(const std::function<qxhost::sheets::Workbook()>& workbook)
{
    try {
        return qxhost::sheets::project_from_workbook(workbook(), "plant");
    } catch (const qxhost::sheets::WorkbookError&) {
    } catch (const qxhost::ProjectFileError&) {
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tovex_fuzz::enter_scratch_folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    static const std::vector<std::string> names = qxhost::sheets::project_sheet_names();
    static const qxhost::sheets::Workbook example = [] {
        const auto plant = qxhost::read_project_file(std::string(TOVEX_SOURCE_DIR) + "/examples/ethylene-plant.json");
        return qxhost::sheets::project_workbook(*plant);
    }();
    tovex_fuzz::clear_folder();
    const std::filesystem::path folder = "sheets";
    qxhost::sheets::write_csv_folder(example, folder);
    const std::string& sheet = names[data[0] % names.size()];
    tovex_fuzz::write_file((folder / (sheet + ".csv")).string(), tovex_fuzz::bytes_text(data + 1, size - 1));

    auto project = read([&] { return qxhost::sheets::read_csv_folder(folder, names); });
    if (project) {
        // What was read reads back the same through the sheets.
        const std::string text = qxhost::write_project_json(*project);
        std::filesystem::remove_all("again");
        qxhost::sheets::write_csv_folder(qxhost::sheets::project_workbook(*project), "again");
        const auto again = read([&] { return qxhost::sheets::read_csv_folder("again", names); });
        if (!again || qxhost::write_project_json(*again) != text) {
            std::fprintf(stderr, "the sheets do not read back the same\n");
            std::abort();
        }
        tovex_fuzz::run_in_full(std::move(project));
    }
    tovex_fuzz::write_file("plant.xlsx", tovex_fuzz::bytes_text(data, size));
    read([] { return qxhost::sheets::read_xlsx("plant.xlsx", names); });
    return 0;
}
