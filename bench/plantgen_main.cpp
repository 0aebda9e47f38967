// tovex_plantgen STREAMS FILE [SEED] [--slips]: writes a generated plant of
// STREAMS utility streams as a project file; with --slips, with the slips of
// add_user_slips(), counted on standard error.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "plant_generator.h"
#include "projfile/projfile.h"

int main(int argc, char** argv)
{
    const bool slips = argc > 3 && std::string(argv[argc - 1]) == "--slips";
    if (slips) --argc;
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: tovex_plantgen STREAMS FILE [SEED] [--slips]\n");
        return 2;
    }
    try {
        const long streams = std::stol(argv[1]);
        const std::uint64_t seed = argc > 3 ? std::stoull(argv[3]) : 1;
        auto plant = tovex_bench::generate_plant(streams, seed);
        if (slips) {
            const auto made = tovex_bench::add_user_slips(*plant);
            std::fprintf(stderr, "tovex_plantgen: %ld misspelt utilities, %ld flows without units, electricity "
                                 "per MWH\n", made.misspelt, made.without_units);
        }
        const std::string text = qxhost::write_project_json(*plant);
        std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            std::fprintf(stderr, "tovex_plantgen: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tovex_plantgen: %s\n", error.what());
        return 2;
    }
    return 0;
}
