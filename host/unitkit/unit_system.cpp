// The host's current unit system, set from the loaded project.
#include "host/unitkit.h"

namespace {

int current_unit_system = 0;  // English until a project says otherwise

}  // namespace

void unitkit_set_unit_type(int unit_system)
{
    current_unit_system = unit_system;
}

int units_get_unit_type()
{
    return current_unit_system;
}
