// What the command is doing, on standard error, for a person waiting at a
// terminal: shown only when standard error is a terminal and the command
// has already taken over a second, so that quick runs, pipes, tests and
// --json output see nothing.
#ifndef TOVEX_CLI_PROGRESS_H
#define TOVEX_CLI_PROGRESS_H

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "session/progress.h"

namespace tovex_cli {

class Progress final : public qxhost::session::Progress {
public:
    using Clock = std::chrono::steady_clock;

    // Shown on `out` when `shown`, once `after` has passed since now.
    Progress(std::FILE* out, bool shown, Clock::duration after = std::chrono::seconds(1));
    // On standard error when it is a terminal.
    Progress();
    ~Progress() override;
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // A step that reads or writes bytes, `total` of them when known (0: not).
    void begin(std::string what, std::uint64_t total = 0) override;
    void advance(std::uint64_t done) override;
    // A step that gives no count: its elapsed time is shown as it runs.
    void begin_timed(std::string what) override;
    // Ends the step and clears its line.
    void end() override;

private:
    void draw(Clock::time_point now);
    void tick();

    std::FILE* out_;
    bool shown_;
    Clock::time_point start_ = Clock::now();
    Clock::duration after_;
    Clock::time_point step_start_;
    Clock::time_point last_drawn_;
    std::string what_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    bool line_drawn_ = false;
    // The timed step's ticker, which redraws while the step blocks.
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::thread ticker_;
};

}  // namespace tovex_cli

#endif
