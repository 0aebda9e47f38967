#include "failing_files.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/uio.h>

#include <atomic>
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

// True when this call is to fail. Calls the hook outside the lock; what it
// does is neither counted nor failed.
bool should_fail(Operation kind)
{
    if (in_hook) return false;
    std::function<void()> at_fault;
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!armed || kind != armed_kind) return false;
        if (remaining > 1) {
            --remaining;
            return false;
        }
        if (armed_lasting == Lasting::once) armed = false;
        if (!made) at_fault = hook;
        made = true;
    }
    if (at_fault) {
        in_hook = true;
        at_fault();
        in_hook = false;
    }
    return true;
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
        if (should_fail(Operation::open)) return fail_with(EACCES);                        \
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
    if (should_fail(Operation::open)) return fail_with(EACCES);
    return real(folder, path, flags, mode);
}

INTERPOSED int mkstemp(char* pattern)
{
    static const auto real = next<int (*)(char*)>("mkstemp");
    if (should_fail(Operation::open)) return fail_with(EACCES);
    return real(pattern);
}
INTERPOSED int mkstemp64(char* pattern) { return mkstemp(pattern); }

INTERPOSED std::FILE* fopen(const char* path, const char* mode)
{
    static const auto real = next<std::FILE* (*)(const char*, const char*)>("fopen");
    if (should_fail(Operation::open)) {
        errno = EACCES;
        return nullptr;
    }
    return real(path, mode);
}
INTERPOSED std::FILE* fopen64(const char* path, const char* mode) { return fopen(path, mode); }

// Writes, as a full disk fails them: nothing written.
INTERPOSED ssize_t write(int descriptor, const void* data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (!standard_stream(descriptor) && should_fail(Operation::write)) return fail_with(ENOSPC);
    return real(descriptor, data, size);
}

INTERPOSED ssize_t writev(int descriptor, const struct iovec* pieces, int count)
{
    static const auto real = next<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (!standard_stream(descriptor) && should_fail(Operation::write)) return fail_with(ENOSPC);
    return real(descriptor, pieces, count);
}

INTERPOSED ssize_t pwrite64(int descriptor, const void* data, size_t size, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (should_fail(Operation::write)) return fail_with(ENOSPC);
    return real(descriptor, data, size, offset);
}
INTERPOSED ssize_t pwrite(int descriptor, const void* data, size_t size, off_t offset)
{
    return pwrite64(descriptor, data, size, offset);
}

INTERPOSED size_t fwrite(const void* data, size_t size, size_t count, std::FILE* file)
{
    static const auto real = next<size_t (*)(const void*, size_t, size_t, std::FILE*)>("fwrite");
    if (!standard_stream(file) && should_fail(Operation::write)) {
        errno = ENOSPC;
        return 0;
    }
    return real(data, size, count, file);
}

// Closes release the file whatever they report, as close(2) does: the
// failure is the error a deferred write reports at close.
INTERPOSED int close(int descriptor)
{
    static const auto real = next<int (*)(int)>("close");
    const bool fail = !standard_stream(descriptor) && should_fail(Operation::close);
    const int result = real(descriptor);
    return fail ? fail_with(EIO) : result;
}

INTERPOSED int fclose(std::FILE* file)
{
    static const auto real = next<int (*)(std::FILE*)>("fclose");
    const bool fail = !standard_stream(file) && should_fail(Operation::close);
    const int result = real(file);
    if (!fail) return result;
    errno = EIO;
    return EOF;
}

}  // extern "C"
