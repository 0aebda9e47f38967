// The warnings store: failed conversions, each with the object being read.
#include <string>
#include <vector>

#include "host/unitkit.h"
#include "unitkit/unit_warnings.h"

namespace qxhost::units {
namespace {

struct WarningStore {
    std::string source;  // the object (and slot) last noted
    std::vector<UnitWarning> warnings;
};

WarningStore& store()
{
    static WarningStore instance;
    return instance;
}

}  // namespace

void remember_failure(std::string_view from_units, std::string_view to_units, std::string_view message)
{
    WarningStore& s = store();
    for (const UnitWarning& known : s.warnings) {
        if (known.from_units == from_units && known.to_units == to_units && known.source == s.source) return;
    }
    s.warnings.push_back({std::string(from_units), std::string(to_units), s.source, std::string(message)});
}

}  // namespace qxhost::units

void unitkit_note_source(std::string_view source)
{
    qxhost::units::store().source.assign(source);
}

std::string& unitkit_source_text() { return qxhost::units::store().source; }

const std::vector<UnitWarning>& unitkit_warnings()
{
    return qxhost::units::store().warnings;
}

void unitkit_clear_warnings()
{
    qxhost::units::WarningStore& s = qxhost::units::store();
    s.warnings.clear();
    s.source.clear();
}
