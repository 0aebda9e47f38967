// Writing a file so that readers see either the old file or the whole new
// one, never a part.
#ifndef QXHOST_FILEIO_ATOMIC_FILE_H
#define QXHOST_FILEIO_ATOMIC_FILE_H

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace qxhost {

class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `text` to a temporary file in the folder of `path` and renames it
// to `path`. Throws FileWriteError ("cannot write PATH: reason"); the
// temporary file is then gone and `path` is as it was.
void write_file_atomically(const std::filesystem::path& path, std::string_view text);

// The same for a text made a piece at a time: `produce` hands each piece to
// the function it is given, which copies it and returns; the pieces are
// written in a thread of their own while `produce` makes the next ones.
// What `produce` throws leaves `path` as it was.
using PieceWriter = std::function<void(std::string_view)>;
void write_file_atomically(const std::filesystem::path& path, const std::function<void(const PieceWriter&)>& produce);

}  // namespace qxhost

#endif
