#include "progress.h"

#include <unistd.h>


namespace tovex_cli {

namespace {

constexpr auto redraw_every = std::chrono::milliseconds(200);

double megabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / 1e6; }

}  // namespace

Progress::Progress(std::FILE* out, bool shown, Clock::duration after) : out_(out), shown_(shown), after_(after) {}

Progress::Progress() : Progress(stderr, isatty(STDERR_FILENO) == 1) {}

Progress::~Progress() { end(); }

void Progress::begin(std::string what, std::uint64_t total)
{
    end();
    const std::lock_guard lock(mutex_);
    what_ = std::move(what);
    total_ = total;
    done_ = 0;
    step_start_ = Clock::now();
}

void Progress::advance(std::uint64_t done)
{
    if (!shown_) return;
    const std::lock_guard lock(mutex_);
    done_ = done;
    const auto now = Clock::now();
    if (now - last_drawn_ >= redraw_every) draw(now);
}

void Progress::begin_timed(std::string what)
{
    begin(std::move(what));
    if (!shown_) return;
    stopping_ = false;
    ticker_ = std::thread([this] { tick(); });
}

void Progress::tick()
{
    std::unique_lock lock(mutex_);
    while (!stop_.wait_for(lock, redraw_every, [this] { return stopping_; })) draw(Clock::now());
}

void Progress::end()
{
    if (ticker_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stop_.notify_one();
        ticker_.join();
    }
    const std::lock_guard lock(mutex_);
    if (line_drawn_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
        line_drawn_ = false;
    }
    what_.clear();
}

// One line, redrawn in place: the step, how far it has come, and how long
// it has taken.
void Progress::draw(Clock::time_point now)
{
    if (!shown_ || what_.empty() || now - start_ < after_) return;
    last_drawn_ = now;
    const double seconds = std::chrono::duration<double>(now - step_start_).count();
    if (total_ > 0) {
        std::fprintf(out_, "\r\033[Ktovex: %s: %3.0f%% (%.0f of %.0f MB), %.0f s", what_.c_str(),
                     100.0 * static_cast<double>(done_) / static_cast<double>(total_), megabytes(done_),
                     megabytes(total_), seconds);
    } else if (done_ > 0) {
        std::fprintf(out_, "\r\033[Ktovex: %s: %.0f MB, %.0f s", what_.c_str(), megabytes(done_), seconds);
    } else {
        std::fprintf(out_, "\r\033[Ktovex: %s, %.0f s", what_.c_str(), seconds);
    }
    std::fflush(out_);
    line_drawn_ = true;
}

}  // namespace tovex_cli
