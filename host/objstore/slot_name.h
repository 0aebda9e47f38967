// Slot names are part of the project model's public types.
#include "host/slot_name.h"
