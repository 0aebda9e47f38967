// The example plant (examples/ethylene-plant.json), built into the command
// for `tovex template --example`.
#ifndef TOVEX_CLI_EXAMPLE_PLANT_H
#define TOVEX_CLI_EXAMPLE_PLANT_H

#include <string_view>

namespace tovex_cli {

extern const std::string_view example_plant_json;

}  // namespace tovex_cli

#endif
