// The electrical load summary file KVT_ELEC.TMP that the host leaves in the
// working directory: a project total line, an "Object" heading and one
// "REF:LOAD" line per item, in any order.
#ifndef TOVEX_REPORTS_LOAD_FILE_H
#define TOVEX_REPORTS_LOAD_FILE_H

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tovex/results_layout.h"

namespace tovex {

inline constexpr const char* load_file_name = layout::electrical_load_file.data();

// The load file of the working directory, read line by line. A line is read
// at most 511 characters at a time, its line feed kept, so a longer line
// arrives as several lines.
class load_file {
public:
    // False when there is no readable load file.
    bool open();
    // The next line; false at the end of the file.
    bool read_line(std::string& line);
    void close() { file_.reset(); }

private:
    struct closer {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, closer> file_;
};

// The pieces of a line between its ':' characters, as the host splits them.
std::vector<std::string> load_line_pieces(std::string_view line);

// The project's total electrical load [KW]: the leading number of the second
// piece of the first line that contains "Project Total:"; 0 when the file is
// missing, has no such line, or that line has a single piece.
double read_project_total_load();

}  // namespace tovex

#endif
