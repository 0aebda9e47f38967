// An open file read in large pieces, as both of the reader's parsers take
// their input. A read error ends the input and is kept, so that the caller
// reports it rather than the parser's view of a text cut short.
#ifndef QXHOST_PROJFILE_FILE_PIECES_H
#define QXHOST_PROJFILE_FILE_PIECES_H

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace qxhost {

// Project files are refused from 2 GiB on: a million streams take 438 MB,
// and a file that large would only exhaust memory before anything is wrong
// with it. A regular file is refused before it is read, any other (a pipe)
// when its input passes the limit; either ends the input with EFBIG.
inline constexpr std::uint64_t project_file_size_limit = std::uint64_t{1} << 31;

class FilePieces {
public:
    explicit FilePieces(std::FILE* file) : file_(file)
    {
        struct stat status {};
        if (::fstat(::fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
            static_cast<std::uint64_t>(status.st_size) >= project_file_size_limit)
            error_ = EFBIG;
    }

    // The next piece; empty at the end of the file or after a read error.
    std::string_view fill()
    {
        if (error_ != 0) return {};
        const std::size_t length = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (length == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
        total_ += length;
        if (total_ >= project_file_size_limit) {
            error_ = EFBIG;
            return {};
        }
        return {buffer_.data(), length};
    }
    int error() const { return error_; }

private:
    std::FILE* file_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::uint64_t total_ = 0;
    int error_ = 0;
};

}  // namespace qxhost

#endif
