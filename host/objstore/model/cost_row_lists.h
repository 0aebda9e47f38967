// The three caller lists that a host program hands the module, built from a
// project's cost rows and released with the object.
#ifndef QXHOST_MODEL_COST_ROW_LISTS_H
#define QXHOST_MODEL_COST_ROW_LISTS_H

#include <vector>

#include "host/listkit.h"
#include "host/visibility.h"
#include "model/project.h"

namespace qxhost {

class QXHOST_API CallerLists {
public:
    // One entry per row in each list: name, cost slot, value.
    explicit CallerLists(const std::vector<CostRow>& rows);
    ~CallerLists();
    CallerLists(const CallerLists&) = delete;
    CallerLists& operator=(const CallerLists&) = delete;

    QX_LIST names() const { return names_; }
    QX_LIST cost_slots() const { return cost_slots_; }
    QX_LIST values() const { return values_; }

    // Copies the value list back into the rows: each row's value text, and
    // its number when the host was handed one (a number the row already had
    // is kept otherwise).
    void copy_values_to(std::vector<CostRow>& rows) const;

private:
    QX_LIST names_;
    QX_LIST cost_slots_;
    QX_LIST values_;
};

}  // namespace qxhost

#endif
