#include "session/project_source.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"
#include "store/store.h"

namespace qxhost::session {

namespace {

// A file that is not a store and does not begin as a JSON object does is
// neither: say so, rather than give a JSON syntax error at its first byte.
void refuse_unless_json(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char start[256] = {};
    file.read(start, sizeof start);
    std::string_view head(start, static_cast<std::size_t>(file.gcount()));
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || head[first] == '{') return;
    throw ProjectFileError(path + ": neither a project file (a JSON object) nor a tovex store");
}

}  // namespace

std::unique_ptr<Project> read_project(const std::string& path, Progress& progress, std::optional<long> run)
{
    std::error_code ignored;
    const bool folder = std::filesystem::is_directory(path, ignored);
    if (folder || sheets::is_xlsx_path(path)) {
        progress.begin_timed("reading " + path);
        const std::vector<std::string> names = sheets::project_sheet_names();
        const auto workbook = folder ? sheets::read_csv_folder(path, names) : sheets::read_xlsx(path, names);
        auto project = sheets::project_from_workbook(workbook, path);
        progress.end();
        return project;
    }
    if (store::looks_like_store(path)) {
        progress.begin_timed("loading " + path);
        auto project = store::Store(path).load_project(run);
        progress.end();
        return project;
    }
    refuse_unless_json(path);
    auto project = read_project_file(path, reading_file(progress, path));
    progress.end();
    return project;
}

}  // namespace qxhost::session
