#include "store/usage_watcher.h"

#include "store/usage_records.h"

namespace qxhost::store {

UsageWatcher::UsageWatcher() : replaced_(Workspace::get().watcher) { Workspace::get().watcher = this; }

UsageWatcher::~UsageWatcher() { Workspace::get().watcher = replaced_; }

// The writers of the detailed report set a record's cost per hour, then the
// name of the utility it is for: the pair is one item's cost of one utility.
void UsageWatcher::written(std::string_view database, std::string_view object, std::string_view slot,
                           const Value& value)
{
    if (database != results_database) return;
    usage_written_ = true;
    if (slot == cost_per_hour_slot && value.kind == Value::Kind::number) {
        pending_[std::string(object)] = value.number;
    } else if (slot == utility_name_slot && value.kind == Value::Kind::text) {
        const auto cost = pending_.find(std::string(object));
        if (cost == pending_.end()) return;
        costs_.push_back({std::string(object), value.text, cost->second});
        pending_.erase(cost);
    }
}

}  // namespace qxhost::store
