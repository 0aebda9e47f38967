// Reading an XLSX file's zip container: libzip finds the parts, libdeflate
// inflates them (a third of zlib's time on a large sheet), each checked
// against the container's CRC and refused beyond 2 GiB.
#ifndef QXHOST_SHEETS_ZIP_READER_H
#define QXHOST_SHEETS_ZIP_READER_H

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <zip.h>

namespace qxhost::sheets {

// Throws WorkbookError "PATH: WHY".
[[noreturn]] void refuse(const std::filesystem::path& path, const std::string& why);

using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

// The container at `path`; refused, naming the file, when it is none.
Archive open_archive(const std::filesystem::path& path);

// A part as it is stored: deflated bytes are kept as they are, to be
// inflated by `inflated` on any thread (libzip reads on one); any other
// method is read whole through libzip.
struct StoredPart {
    std::string name;
    std::string bytes;
    bool deflated = false;
    std::size_t size = 0;  // inflated
    std::uint32_t crc = 0;
    bool has_crc = false;
};

// The part `name`; none when the container has no such part.
std::optional<StoredPart> stored_part(zip_t* archive, const std::string& name, const std::filesystem::path& path);

// The part's bytes, inflated and checked.
std::string inflated(StoredPart part, const std::filesystem::path& path);

// The part `name`, inflated; none when the container has no such part.
std::optional<std::string> part(zip_t* archive, const std::string& name, const std::filesystem::path& path);

// Every part, in the container's order, by name, inflated.
std::vector<std::pair<std::string, std::string>> every_part(zip_t* archive, const std::filesystem::path& path);

}  // namespace qxhost::sheets

#endif
