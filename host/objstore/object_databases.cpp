// The generation of the databases' slot tables.
#include "model/object_databases.h"

namespace qxhost {

// Starts above 0, which a handle holds before it has looked.
std::uint64_t Databases::generation_ = 1;

}  // namespace qxhost
