#include "interruption.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <vector>

namespace tovex_cli {

namespace {

// Shared with the waiting thread; every access holds `guard`, which is also
// what hold_off_interruption() hands out.
std::mutex guard;
std::string kept = "nothing of this run";
std::vector<std::filesystem::path> removed;
std::atomic<bool> stopping{false};
std::thread waiter;

sigset_t interrupting_signals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

[[noreturn]] void end_interrupted(int signal_number)
{
    const std::lock_guard lock(guard);
    // The progress line, when one is drawn, is on a terminal.
    if (isatty(STDERR_FILENO) == 1) std::fputs("\r\033[K", stderr);
    // The run may still be writing into a folder as it is removed, and
    // leave it not quite empty: a few tries, and a folder that stays is
    // removed by the next run in its place (its process is gone).
    for (const std::filesystem::path& folder : removed) {
        std::error_code ignored;
        for (int attempt = 0; attempt < 5 && std::filesystem::exists(folder, ignored); ++attempt)
            std::filesystem::remove_all(folder, ignored);
    }
    std::fprintf(stderr, "tovex: interrupted (%s): kept %s\n", signal_number == SIGINT ? "SIGINT" : "SIGTERM",
                 kept.c_str());
    std::fflush(stderr);
    ::_exit(128 + signal_number);
}

void wait_for_signals()
{
    const sigset_t signals = interrupting_signals();
    for (;;) {
        int signal_number = 0;
        if (sigwait(&signals, &signal_number) != 0) continue;
        if (stopping) return;
        end_interrupted(signal_number);
    }
}

}  // namespace

InterruptHandling::InterruptHandling()
{
    const sigset_t signals = interrupting_signals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    stopping = false;
    waiter = std::thread(wait_for_signals);
}

InterruptHandling::~InterruptHandling()
{
    stopping = true;
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    // A signal that came meanwhile is taken as before: it ends the process.
    const sigset_t signals = interrupting_signals();
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

void say_kept_on_interruption(std::string what)
{
    const std::lock_guard lock(guard);
    kept = std::move(what);
}

RemovedOnInterruption::RemovedOnInterruption(std::filesystem::path folder)
{
    const std::lock_guard lock(guard);
    removed.push_back(std::move(folder));
}

RemovedOnInterruption::~RemovedOnInterruption()
{
    const std::lock_guard lock(guard);
    removed.pop_back();
}

std::unique_lock<std::mutex> hold_off_interruption() { return std::unique_lock(guard); }

}  // namespace tovex_cli
