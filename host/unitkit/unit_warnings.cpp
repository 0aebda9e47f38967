// The warnings store: failed conversions, each with the object being read,
// and the host's notes of what it assumed or skipped.
#include <string>
#include <unordered_set>
#include <vector>

#include "host/unitkit.h"
#include "unitkit/unit_warnings.h"

namespace qxhost::units {
namespace {

struct WarningStore {
    std::string source;  // the object (and slot) last noted
    std::vector<UnitWarning> warnings;
    // Each warning's fields joined, so that a plant of a million streams
    // with the same fault at each does not search the list a million times.
    std::unordered_set<std::string> known;

    void add(UnitWarning warning)
    {
        std::string key;
        key.reserve(warning.from_units.size() + warning.to_units.size() + warning.source.size() +
                    warning.message.size() + 3);
        key.append(warning.from_units).append(1, '\0').append(warning.to_units).append(1, '\0');
        key.append(warning.source).append(1, '\0');
        // A failed conversion is the same one whatever reason it gave.
        if (!warning.to_units.empty() || !warning.from_units.empty()) key.append(1, '\1');
        else key.append(warning.message);
        if (known.insert(std::move(key)).second) warnings.push_back(std::move(warning));
    }
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
    s.add({std::string(from_units), std::string(to_units), s.source, std::string(message)});
}

}  // namespace qxhost::units

void unitkit_note_source(std::string_view source)
{
    qxhost::units::store().source.assign(source);
}

void unitkit_warn(std::string_view source, std::string_view message)
{
    qxhost::units::store().add({{}, {}, std::string(source), std::string(message)});
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
    s.known.clear();
    s.source.clear();
}
