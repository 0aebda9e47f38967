// Writing an XLSX file's zip container: each part's bytes made and deflated
// on two threads, and the container written whole or not at all.
#ifndef QXHOST_SHEETS_ZIP_WRITER_H
#define QXHOST_SHEETS_ZIP_WRITER_H

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qxhost::sheets {

// A part of the container: its name and the function that makes its bytes,
// called on either thread (so it only reads what it is given).
struct ZipPart {
    std::string name;
    std::function<std::string()> bytes;
    std::size_t weight = 0;  // a guess at its size, for sharing out the work
};

// Writes the parts, in their order, into a new zip file at `path` through a
// temporary file renamed into place. Throws WorkbookError naming `path`, and
// whatever a part's function throws; `path` is then as it was.
void write_zip(const std::filesystem::path& path, const std::vector<ZipPart>& parts);

}  // namespace qxhost::sheets

#endif
