// critkit_get_and_adjust_criteria_n: a numeric design criterion of the
// loaded project, in the units the caller asks for.
#include <string>

#include "host/critkit.h"
#include "host/unitkit.h"
#include "model/workspace.h"

namespace {

const qxhost::Criterion* find_criterion(std::string_view group, std::string_view criterion)
{
    qxhost::Project* project = qxhost::Workspace::get().project();
    if (project == nullptr) return nullptr;
    const qxhost::OrderedMap<qxhost::Criterion>* criteria = project->design_criteria.find(group);
    if (criteria == nullptr) return nullptr;
    return criteria->find(criterion);
}

}  // namespace

int critkit_get_and_adjust_criteria_n(std::string_view group, std::string_view criterion, double* value,
                                      std::string_view units)
{
    if (value == nullptr) return 0;
    try {
        const qxhost::Criterion* found = find_criterion(group, criterion);
        if (found == nullptr) return 0;

        std::string source = "design_criteria / ";
        source.append(group).append(" / ").append(criterion);

        // A criterion stored without units is taken to be in the units asked
        // for; the user is told, since nothing checks that it really is.
        if (found->units.empty()) {
            *value = found->value;
            if (!units.empty()) {
                std::string note = "a criterion without units, taken to be in \"";
                note.append(units).append("\"");
                unitkit_warn(source, note);
            }
            return 1;
        }
        unitkit_note_source(source);
        return units_adjust(found->units, units, &found->value, value, nullptr, "", "b");
    } catch (...) {
        return 0;
    }
}
