// What a long step of a run tells of itself: the command draws it on a
// terminal; a caller that shows nothing passes `quiet()`.
#ifndef QXHOST_SESSION_PROGRESS_H
#define QXHOST_SESSION_PROGRESS_H

#include <cstdint>
#include <functional>
#include <string>

namespace qxhost::session {

class Progress {
public:
    virtual ~Progress() = default;
    // A step that reads or writes bytes, `total` of them when known (0: not).
    virtual void begin(std::string what, std::uint64_t total) = 0;
    virtual void advance(std::uint64_t done) = 0;
    // A step that gives no count.
    virtual void begin_timed(std::string what) = 0;
    // Ends the step.
    virtual void end() = 0;
};

// A Progress that shows nothing.
Progress& quiet();

// Begins the step of reading the file at `path` and returns what the
// reader is to tell of how far it has come.
std::function<void(std::uint64_t)> reading_file(Progress& progress, const std::string& path);

}  // namespace qxhost::session

#endif
