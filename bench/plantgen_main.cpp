// tovex_plantgen STREAMS FILE [SEED]: writes a generated plant of STREAMS
// utility streams as a project file.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "plant_generator.h"
#include "projfile/projfile.h"

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: tovex_plantgen STREAMS FILE [SEED]\n");
        return 2;
    }
    try {
        const long streams = std::stol(argv[1]);
        const std::uint64_t seed = argc > 3 ? std::stoull(argv[3]) : 1;
        const std::string text = qxhost::write_project_json(*tovex_bench::generate_plant(streams, seed));
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
