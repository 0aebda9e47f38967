// An open file read in large pieces, as both of the reader's parsers take
// their input. A read error ends the input and is kept, so that the caller
// reports it rather than the parser's view of a text cut short.
#ifndef QXHOST_PROJFILE_FILE_PIECES_H
#define QXHOST_PROJFILE_FILE_PIECES_H

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

namespace qxhost {

class FilePieces {
public:
    explicit FilePieces(std::FILE* file) : file_(file) {}

    // The next piece; empty at the end of the file or after a read error.
    std::string_view fill()
    {
        const std::size_t length = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (length == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
        return {buffer_.data(), length};
    }
    int error() const { return error_; }

private:
    std::FILE* file_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    int error_ = 0;
};

}  // namespace qxhost

#endif
