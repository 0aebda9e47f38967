// Watches a run's writes into the results database, for what its slots do
// not keep: the cost per hour of each item and utility.
#ifndef QXHOST_STORE_USAGE_WATCHER_H
#define QXHOST_STORE_USAGE_WATCHER_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/workspace.h"
#include "store/store.h"

namespace qxhost::store {

// Installed as the workspace's watcher while it lives.
class UsageWatcher final : public DatabaseWriteWatcher {
public:
    UsageWatcher();
    ~UsageWatcher();
    UsageWatcher(const UsageWatcher&) = delete;
    UsageWatcher& operator=(const UsageWatcher&) = delete;

    void written(std::string_view database, std::string_view object, std::string_view slot,
                 const Value& value) override;

    // Whether any usage record was written, and the costs per hour in the
    // order they were written.
    bool usage_written() const { return usage_written_; }
    const std::vector<UsageCost>& costs() const { return costs_; }

private:
    DatabaseWriteWatcher* replaced_;
    bool usage_written_ = false;
    // A record's cost per hour waits for the utility name written after it.
    std::unordered_map<std::string, double> pending_;
    std::vector<UsageCost> costs_;
};

}  // namespace qxhost::store

#endif
