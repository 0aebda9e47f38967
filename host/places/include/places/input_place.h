// A project's inputs named by their place, as a script changes them:
//
//   "project/unit_system"                 the project's instance, name, scenario,
//                                         unit_system or sim_type
//   "objects/CW-101/TOTAL MASS FLOW"      an object's slot
//   "entries/Cooling Water/Unit Cost"     a utility streams entry's slot
//   "OP/Operating Unit Costs/Electricity" a database object's slot
//   "criteria/GROUP/CRITERION"            a design criterion
//   "electrical_loads/211"                the load, in kW, of the item of reference id 211
//
// A name may itself hold "/": the longest name that the project holds wins.
#ifndef QXHOST_PLACES_INPUT_PLACE_H
#define QXHOST_PLACES_INPUT_PLACE_H

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace qxhost::places {

// A place the project does not hold; the message names the nearest one.
class UnknownPlace : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// A value that the place cannot take (a text for the instance, say).
class WrongValue : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The value at `place`: an object's or entry's own slot, else its default.
Value get(const Project& project, std::string_view place);

// Sets the value at `place`, which must exist (a slot its owner or its
// defaults hold). A number given without units keeps the units the slot
// had.
void set(Project& project, std::string_view place, Value value, bool units_given);

// Every place of the project that `get` reads, in the project's order.
std::vector<std::string> every_place(const Project& project);

// The places of what prices the run's figures, those the project holds:
// each entry's "Unit Cost", the electricity and fuel prices and the
// operating hours per period.
std::vector<std::string> priced_places(const Project& project);

}  // namespace qxhost::places

#endif
