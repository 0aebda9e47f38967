// Reading a file whole: copied in one read of its size, or mapped.
#ifndef QXHOST_FILEIO_WHOLE_FILE_H
#define QXHOST_FILEIO_WHOLE_FILE_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qxhost {

// The file's bytes; none when it cannot be opened or read to its end.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

// A file's bytes mapped into memory while it lives: a large report read
// once costs no copy and no fresh pages. Empty when the file cannot be
// mapped (or is empty).
class MappedFile {
public:
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view text() const { return {static_cast<const char*>(data_), size_}; }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace qxhost

#endif
