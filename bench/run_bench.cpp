// Times the full and the reduced run on generated plants of growing size and
// prints the figures; the time per unit shows whether a run scales linearly.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "host/listkit.h"
#include "plant_generator.h"
#include "projfile/caller_lists.h"
#include "tovex/tovex.h"

namespace {

double seconds_for(int units, bool balanced, bool full)
{
    qxhost::Workspace::get().load(tovex_bench::generate_plant(units, balanced));
    const qxhost::CallerLists lists(qxhost::Workspace::get().project()->cost_rows);
    const auto start = std::chrono::steady_clock::now();
    const int result = full ? tovex_get_utility_init("BENCH", "Base", 1, lists.names(), lists.cost_slots(), lists.values())
                            : tovex_get_utility_old("BENCH", "Base", 1, lists.names(), lists.cost_slots(), lists.values());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    qxhost::Workspace::get().unload();
    if (result != 1) std::fprintf(stderr, "run returned %d\n", result);
    return elapsed.count();
}

}  // namespace

int main(int argc, char** argv)
{
    // tovex_bench [LARGEST [SMALLEST]]: sizes double from SMALLEST to LARGEST.
    const int largest = argc > 1 ? std::stoi(argv[1]) : 8000;
    const int smallest = argc > 2 ? std::stoi(argv[2]) : 500;
    const auto folder = std::filesystem::temp_directory_path() / "tovex-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);

    std::printf("%8s %8s %14s %14s %14s\n", "units", "streams", "run", "seconds", "us per unit");
    for (int units = smallest; units <= largest; units *= 2) {
        const struct {
            const char* name;
            bool balanced;
            bool full;
        } runs[] = {{"reduced", false, false}, {"full", false, true}, {"balanced", true, true}};
        for (const auto& run : runs) {
            const double seconds = seconds_for(units, run.balanced, run.full);
            std::printf("%8d %8d %14s %14.4f %14.2f\n", units, units * 5, run.name, seconds, 1e6 * seconds / units);
        }
    }
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
    return 0;
}
