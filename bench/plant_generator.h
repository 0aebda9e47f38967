// Generated plants for the benchmark: a project of a chosen number of utility
// streams, laid out like a large complex, the same for the same seed.
#ifndef TOVEX_BENCH_PLANT_GENERATOR_H
#define TOVEX_BENCH_PLANT_GENERATOR_H

#include <cstdint>
#include <memory>

#include "model/workspace.h"

namespace tovex_bench {

// The plant's make-up for `streams` utility streams.
struct PlantShape {
    long streams = 0;  // the four stream classes in turn
    long items = 0;    // equipment items: streams / 4
    long areas = 0;    // areas: streams / 100, at least one
};

PlantShape plant_shape(long streams);

// Instance 1, name "BENCH", scenario "Base", a simulation case of simulator
// type 4. Twenty priced utilities (seven by volume, seven by mass, six by
// duty) and streams of Fuel, Instrument Air and Potable Water; streams joined
// on one side, on the other, on both and on neither; class 3005 streams in
// pairs at one item, the second joined at "Outlet"; an electrical load for
// every item.
std::unique_ptr<qxhost::Project> generate_plant(long streams, std::uint64_t seed);

// Slips a user makes, for the checks to find: every hundredth utility stream
// with a mass flow gets a misspelt DESCRIPTION (its last letter dropped),
// every hundredth other one a TOTAL MASS FLOW without units, and the
// electricity price is given per MWH. Returns how many of each it made.
struct UserSlips {
    long misspelt = 0;
    long without_units = 0;
};
UserSlips add_user_slips(qxhost::Project& project);

}  // namespace tovex_bench

#endif
