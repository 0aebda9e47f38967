#include "failing_files.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/uio.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace failing_files {

namespace {

std::mutex lock;  // the state below, for the atomic writer's thread too
bool armed = false;
Operation armed_kind = Operation::open;
Lasting armed_lasting = Lasting::once;
long remaining = 0;
bool made = false;
std::function<void()> hook;
thread_local bool in_hook = false;  // what the hook does is never failed

enum class Fault { none, first, again };

// Whether this call is to fail, and if so whether it is the first fault of
// the armed kind. Calls the hook outside the lock; what the hook does on
// this thread is neither counted nor failed, and what it throws is dropped
// (the test sees the snapshot it did not take).
Fault should_fail(Operation kind)
{
    if (in_hook) return Fault::none;
    std::function<void()> at_fault;
    bool first = false;
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!armed || kind != armed_kind) return Fault::none;
        if (remaining > 1) {
            --remaining;
            return Fault::none;
        }
        if (armed_lasting == Lasting::once) armed = false;
        first = !made;
        if (first) at_fault = hook;
        made = true;
    }
    if (at_fault) {
        in_hook = true;
        try {
            at_fault();
        } catch (...) {
        }
        in_hook = false;
    }
    return first ? Fault::first : Fault::again;
}

bool standard_stream(int descriptor) { return descriptor >= 0 && descriptor <= 2; }
bool standard_stream(std::FILE* file) { return file == stdin || file == stdout || file == stderr; }

// The C library's own function of that name, found once.
template <class Function>
Function next(const char* name)
{
    void* found = dlsym(RTLD_NEXT, name);
    if (found == nullptr) std::abort();
    return reinterpret_cast<Function>(found);
}

int fail_with(int error)
{
    errno = error;
    return -1;
}

}  // namespace

void fail_at(Operation kind, long n, Lasting lasting, std::function<void()> at_fault)
{
    const std::lock_guard<std::mutex> guard(lock);
    armed = n > 0;
    armed_kind = kind;
    armed_lasting = lasting;
    remaining = n;
    made = false;
    hook = std::move(at_fault);
}

bool disarm()
{
    const std::lock_guard<std::mutex> guard(lock);
    armed = false;
    hook = nullptr;
    return made;
}

}  // namespace failing_files

using failing_files::Fault;
using failing_files::Operation;
using failing_files::fail_with;
using failing_files::next;
using failing_files::should_fail;
using failing_files::standard_stream;

// Seen by the libraries the program loads (the build hides symbols by
// default), so that their calls come here too.
#define INTERPOSED __attribute__((visibility("default")))

// Opens. A mode is read only when the flags create a file, as open itself
// does. A failed open never reaches the disk.
extern "C" {

#define FAILING_OPEN(name)                                                                 \
    INTERPOSED int name(const char* path, int flags, ...)                                  \
    {                                                                                      \
        static const auto real = next<int (*)(const char*, int, ...)>(#name);              \
        mode_t mode = 0;                                                                   \
        if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {                  \
            va_list arguments;                                                             \
            va_start(arguments, flags);                                                    \
            mode = static_cast<mode_t>(va_arg(arguments, int));                            \
            va_end(arguments);                                                             \
        }                                                                                  \
        if (should_fail(Operation::open) != Fault::none) return fail_with(EACCES);          \
        return real(path, flags, mode);                                                    \
    }
FAILING_OPEN(open)
FAILING_OPEN(open64)

INTERPOSED int openat(int folder, const char* path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, int));
        va_end(arguments);
    }
    if (should_fail(Operation::open) != Fault::none) return fail_with(EACCES);
    return real(folder, path, flags, mode);
}

INTERPOSED int mkstemp(char* pattern)
{
    static const auto real = next<int (*)(char*)>("mkstemp");
    if (should_fail(Operation::open) != Fault::none) return fail_with(EACCES);
    return real(pattern);
}
INTERPOSED int mkstemp64(char* pattern) { return mkstemp(pattern); }

INTERPOSED std::FILE* fopen(const char* path, const char* mode)
{
    static const auto real = next<std::FILE* (*)(const char*, const char*)>("fopen");
    if (should_fail(Operation::open) != Fault::none) {
        errno = EACCES;
        return nullptr;
    }
    return real(path, mode);
}
INTERPOSED std::FILE* fopen64(const char* path, const char* mode) { return fopen(path, mode); }

// Writes, as a disk that fills up fails them: the first failing write takes
// half of what it was given (a short write, as the call that meets the end
// of the room makes), every later one nothing. A write of a single byte
// fails whole.
INTERPOSED ssize_t write(int descriptor, const void* data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    const Fault fault = standard_stream(descriptor) ? Fault::none : should_fail(Operation::write);
    if (fault == Fault::none) return real(descriptor, data, size);
    if (fault == Fault::first && size > 1) return real(descriptor, data, size / 2);
    return fail_with(ENOSPC);
}

INTERPOSED ssize_t writev(int descriptor, const struct iovec* pieces, int count)
{
    static const auto real = next<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (!standard_stream(descriptor) && should_fail(Operation::write) != Fault::none) return fail_with(ENOSPC);
    return real(descriptor, pieces, count);
}

INTERPOSED ssize_t pwrite64(int descriptor, const void* data, size_t size, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    const Fault fault = standard_stream(descriptor) ? Fault::none : should_fail(Operation::write);
    if (fault == Fault::none) return real(descriptor, data, size, offset);
    if (fault == Fault::first && size > 1) return real(descriptor, data, size / 2, offset);
    return fail_with(ENOSPC);
}
INTERPOSED ssize_t pwrite(int descriptor, const void* data, size_t size, off_t offset)
{
    return pwrite64(descriptor, data, size, offset);
}

INTERPOSED size_t fwrite(const void* data, size_t size, size_t count, std::FILE* file)
{
    static const auto real = next<size_t (*)(const void*, size_t, size_t, std::FILE*)>("fwrite");
    const Fault fault = standard_stream(file) ? Fault::none : should_fail(Operation::write);
    if (fault == Fault::none) return real(data, size, count, file);
    const size_t written = fault == Fault::first && count > 1 ? real(data, size, count / 2, file) : 0;
    errno = ENOSPC;
    return written;
}

// A sync reports the writes the disk could not keep after all; it counts
// among the writes.
INTERPOSED int fsync(int descriptor)
{
    static const auto real = next<int (*)(int)>("fsync");
    if (should_fail(Operation::write) != Fault::none) return fail_with(EIO);
    return real(descriptor);
}

INTERPOSED int fdatasync(int descriptor)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    if (should_fail(Operation::write) != Fault::none) return fail_with(EIO);
    return real(descriptor);
}

// Closes release the file whatever they report, as close(2) does: the
// failure is the error a deferred write reports at close.
INTERPOSED int close(int descriptor)
{
    static const auto real = next<int (*)(int)>("close");
    const bool fail = !standard_stream(descriptor) && should_fail(Operation::close) != Fault::none;
    const int result = real(descriptor);
    return fail ? fail_with(EIO) : result;
}

INTERPOSED int fclose(std::FILE* file)
{
    static const auto real = next<int (*)(std::FILE*)>("fclose");
    const bool fail = !standard_stream(file) && should_fail(Operation::close) != Fault::none;
    const int result = real(file);
    if (!fail) return result;
    errno = EIO;
    return EOF;
}

}  // extern "C"
