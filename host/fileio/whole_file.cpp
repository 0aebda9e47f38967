#include "fileio/whole_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace qxhost {

std::optional<std::string> read_whole_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!in || error) return std::nullopt;
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.peek() != std::ifstream::traits_type::eof()) return std::nullopt;
    return bytes;
}

MappedFile::MappedFile(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        void* data = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
        if (data != MAP_FAILED) {
            data_ = data;
            size_ = static_cast<std::size_t>(status.st_size);
        }
    }
    ::close(descriptor);
}

MappedFile::~MappedFile()
{
    if (data_ != nullptr) ::munmap(data_, size_);
}

}  // namespace qxhost
