#include "fileio/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qxhost {

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
            written_ += static_cast<off_t>(written);
        }
        return 0;
    }

    // Asks the kernel to start putting what was written so far on the disk,
    // without waiting: the fsync at the end then waits for the last pieces
    // only, not for the whole file. A failure here is fsync's to report.
    void start_writeback()
    {
        sync_file_range(descriptor_, synced_, written_ - synced_, SYNC_FILE_RANGE_WRITE);
        synced_ = written_;
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
    off_t written_ = 0;
    off_t synced_ = 0;
    bool renamed_ = false;
};

// Writes the pieces to the file in a thread of its own, so that the caller
// makes the next piece while the kernel copies the last one: a large file
// then takes the longer of the two instead of their sum. A few pieces wait
// at most, each a copy in a buffer that is used again.
class PieceQueue {
public:
    explicit PieceQueue(TemporaryFile& file) : file_(file), thread_([this] { write_pieces(); }) {}
    ~PieceQueue() { close(); }
    PieceQueue(const PieceQueue&) = delete;
    PieceQueue& operator=(const PieceQueue&) = delete;

    // 0, or the errno of a write that failed; the pieces after it are dropped.
    int push(std::string_view piece)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < most_waiting || error_ != 0; });
        if (error_ != 0) return error_;
        std::string buffer;
        if (!spare_.empty()) {
            buffer = std::move(spare_.back());
            spare_.pop_back();
        }
        buffer.assign(piece);
        waiting_.push_back(std::move(buffer));
        changed_.notify_all();
        return 0;
    }

    // Waits until every piece is written; 0 or the errno of the first failure.
    int close()
    {
        {
            const std::lock_guard lock(mutex_);
            closed_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
        return error_;
    }

private:
    static constexpr std::size_t most_waiting = 4;

    void write_pieces()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !waiting_.empty() || closed_; });
            if (waiting_.empty()) return;
            std::string piece = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            int error = 0;
            if (error_ == 0) {
                error = file_.append(piece);
                file_.start_writeback();
            }
            lock.lock();
            if (error != 0) error_ = error;
            spare_.push_back(std::move(piece));
            changed_.notify_all();
        }
    }

    TemporaryFile& file_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    std::vector<std::string> spare_;
    bool closed_ = false;
    int error_ = 0;
    std::thread thread_;  // last: it starts once the rest is made
};

// Makes the temporary file, has `fill` write it, and puts it in place.
template <class Fill>
void write_through_temporary(const std::filesystem::path& path, Fill fill)
{
    TemporaryFile temporary(path);
    if (const int error = temporary.begin()) cannot_write(path, error);
    fill(temporary);
    if (const int error = temporary.finish()) cannot_write(path, error);
    if (const int error = temporary.rename_to(path)) cannot_write(path, error);
}

}  // namespace

void write_file_atomically(const std::filesystem::path& path, const std::function<void(const PieceWriter&)>& produce)
{
    write_through_temporary(path, [&](TemporaryFile& temporary) {
        PieceQueue queue(temporary);
        produce([&](std::string_view piece) {
            if (const int error = queue.push(piece)) cannot_write(path, error);
        });
        if (const int error = queue.close()) cannot_write(path, error);
    });
}

void write_file_atomically(const std::filesystem::path& path, std::string_view text)
{
    write_through_temporary(path, [&](TemporaryFile& temporary) {
        if (const int error = temporary.append(text)) cannot_write(path, error);
    });
}

}  // namespace qxhost
