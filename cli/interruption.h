// Ctrl-C and SIGTERM during a run: the command clears its progress line,
// removes what it was writing, says what it kept, and ends with 128 plus
// the signal's number (130, 143), never half-way through putting reports
// into place.
#ifndef TOVEX_CLI_INTERRUPTION_H
#define TOVEX_CLI_INTERRUPTION_H

#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace tovex_cli {

// While it lives, SIGINT and SIGTERM are taken by a thread of its own
// instead of ending the process where it stands. Make it before any other
// thread, which inherits the blocked signals.
class InterruptHandling {
public:
    InterruptHandling();
    ~InterruptHandling();
    InterruptHandling(const InterruptHandling&) = delete;
    InterruptHandling& operator=(const InterruptHandling&) = delete;
};

// What an interruption leaves, said after "tovex: interrupted: ".
void say_kept_on_interruption(std::string kept);

// A folder that an interruption removes with all it holds while this lives.
class RemovedOnInterruption {
public:
    explicit RemovedOnInterruption(std::filesystem::path folder);
    ~RemovedOnInterruption();
    RemovedOnInterruption(const RemovedOnInterruption&) = delete;
    RemovedOnInterruption& operator=(const RemovedOnInterruption&) = delete;
};

// Held while files are put into place: an interruption waits for it.
std::unique_lock<std::mutex> hold_off_interruption();

}  // namespace tovex_cli

#endif
