// Generated plants for the benchmark: `units` repeats of a process unit with
// coolers, reboilers, furnaces and pumps, each joined by utility streams.
#ifndef TOVEX_BENCH_PLANT_GENERATOR_H
#define TOVEX_BENCH_PLANT_GENERATOR_H

#include <memory>

#include "objstore/workspace.h"

namespace tovex_bench {

// Instance 1, name "BENCH", scenario "Base"; the simulation case is of
// simulator type 4 when `balanced` is true.
std::unique_ptr<qxhost::Project> generate_plant(int units, bool balanced);

}  // namespace tovex_bench

#endif
