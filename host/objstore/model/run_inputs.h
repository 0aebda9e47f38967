// What a run is handed besides the project: the caller's cost rows when a
// project has none, and the electrical load summary file.
#ifndef QXHOST_MODEL_RUN_INPUTS_H
#define QXHOST_MODEL_RUN_INPUTS_H

#include <optional>
#include <string>
#include <vector>

#include "host/visibility.h"
#include "model/project.h"

namespace qxhost {

// The rows the host makes when a project has no cost rows: one per utility
// streams entry, then "Fuel", "Instrument Air" and "Potable Water" where no
// entry has that name, then "Total Process Utility Cost Per Period"; name
// and cost slot alike, values empty.
QXHOST_API std::vector<CostRow> default_cost_rows(const Project& project);

// The text of KVT_ELEC.TMP that the project asks for: its
// "electrical_load_file", else lines made from "electrical_loads"; nullopt
// when the project has neither (a file already in the working directory is
// then used as it is).
QXHOST_API std::optional<std::string> electrical_load_file_text(const Project& project);

}  // namespace qxhost

#endif
