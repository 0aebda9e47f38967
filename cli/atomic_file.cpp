#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace tovex_cli {

namespace {

[[noreturn]] void cannot_write(const std::filesystem::path& path, int error)
{
    throw FileWriteError("cannot write " + path.string() + ": " + std::strerror(error));
}

// ".NAME.XXXXXX", built by appending: the same text made with a literal on
// the left of operator+ trips a false -Wrestrict of GCC 12 in optimised builds.
std::string hidden_name(const std::filesystem::path& target)
{
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    return name;
}

// The temporary file; removed unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : path_((target.has_parent_path() ? target.parent_path() : std::filesystem::path(".")) /
                hidden_name(target))
    {
        std::string name = path_.string();
        descriptor_ = mkstemp(name.data());
        if (descriptor_ < 0) cannot_write(target, errno);
        path_ = name;
    }
    ~TemporaryFile()
    {
        if (descriptor_ >= 0) close(descriptor_);
        if (!renamed_) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Each returns 0 or the errno of the failure.
    int begin()
    {
        // mkstemp makes the file private; give it the mode a new file gets.
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(descriptor_, 0666 & ~mask) != 0 ? errno : 0;
    }

    int append(std::string_view text)
    {
        while (!text.empty()) {
            const ssize_t written = write(descriptor_, text.data(), text.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) return errno;
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        return 0;
    }

    int finish()
    {
        if (fsync(descriptor_) != 0) return errno;
        const int result = close(descriptor_);
        descriptor_ = -1;
        return result == 0 ? 0 : errno;
    }

    int rename_to(const std::filesystem::path& target)
    {
        if (std::rename(path_.c_str(), target.c_str()) != 0) return errno;
        renamed_ = true;
        return 0;
    }

private:
    std::filesystem::path path_;
    int descriptor_ = -1;
    bool renamed_ = false;
};

}  // namespace

void write_file_atomically(const std::filesystem::path& path, const std::function<void(const PieceWriter&)>& produce)
{
    TemporaryFile temporary(path);
    if (const int error = temporary.begin()) cannot_write(path, error);
    produce([&](std::string_view piece) {
        if (const int error = temporary.append(piece)) cannot_write(path, error);
    });
    if (const int error = temporary.finish()) cannot_write(path, error);
    if (const int error = temporary.rename_to(path)) cannot_write(path, error);
}

void write_file_atomically(const std::filesystem::path& path, std::string_view text)
{
    write_file_atomically(path, [&](const PieceWriter& write) { write(text); });
}

}  // namespace tovex_cli
