// What a run changed, found by comparing fingerprints of the project's slot
// tables and databases before and after it: only the changed ones are
// stored with the run, so a store does not grow by a copy of the project
// per run. A fingerprint is the 128-bit XXH3 hash of a table's names and
// values in order. Two tables that differ share one with a chance of about
// 2^-128; were it to happen, the run would be kept without that table's
// change, and the project read back as the run left it would have the
// table as it was before. Report files are hashed the same way to find one
// already kept, and then compared byte for byte, so a collision there costs
// only a comparison.
#ifndef QXHOST_STORE_FINGERPRINT_H
#define QXHOST_STORE_FINGERPRINT_H

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/project_model.h"

namespace qxhost::store {

using Hash = std::pair<std::uint64_t, std::uint64_t>;

struct ProjectFingerprint {
    std::vector<Hash> object_slots;
    std::vector<Hash> object_defaults;
    std::vector<Hash> entry_slots;
    std::vector<Hash> entry_defaults;
    std::map<std::string, Hash> databases;  // each database whole: its objects' names and slots in order
};

Hash fingerprint(const SlotTable& slots);
Hash fingerprint(std::string_view bytes);
ProjectFingerprint fingerprint(const Project& project);

}  // namespace qxhost::store

#endif
