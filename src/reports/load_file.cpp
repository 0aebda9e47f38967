#include "reports/load_file.h"


#include "common/text.h"
#include "host/listkit.h"

namespace tovex {

bool load_file::open()
{
    file_.reset(std::fopen(load_file_name, "r"));
    return file_ != nullptr;
}

bool load_file::read_line(std::string& line)
{
    if (!file_) return false;
    // 511 characters and the terminator: the host reads its lines in pieces
    // of this size, and a longer line counts as several.
    char buffer[512];
    if (std::fgets(buffer, sizeof buffer, file_.get()) == nullptr) return false;
    line = buffer;
    return true;
}

std::vector<std::string> load_line_pieces(std::string_view line)
{
    CStrList list;
    list.AddTextList(line, ":");
    std::vector<std::string> pieces;
    for (int i = 0; i < list.GetLength(); ++i) {
        const char* piece = list.GetTextAt(i, nullptr);
        pieces.emplace_back(piece ? piece : "");
    }
    return pieces;
}

double read_project_total_load()
{
    load_file file;
    if (!file.open()) return 0.0;
    std::string total_text;
    std::string line;
    while (file.read_line(line)) {
        if (line.find("Project Total:") == std::string::npos) continue;
        // The first total line ends the reading, whatever its pieces.
        const std::vector<std::string> pieces = load_line_pieces(line);
        if (pieces.size() >= 2) total_text = pieces[1];
        break;
    }
    return leading_number(total_text);
}

}  // namespace tovex
