// The text of a JSON document as the project file writes it: indented, keys in
// document order, containers of scalars on one line when short, and every
// floating-point number in the shortest form that reads back as the same
// double.
#ifndef QXHOST_PROJFILE_JSON_TEXT_H
#define QXHOST_PROJFILE_JSON_TEXT_H

#include <string>

#include "projfile/json_document.h"

namespace qxhost {

// Throws std::invalid_argument for a number that is not finite (the project
// file writes those in the object form instead).
std::string json_text(const Json& document);

}  // namespace qxhost

#endif
