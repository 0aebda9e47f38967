// What a run wrote, as the reports alone cannot tell it: the amount each
// utility's cost row held before the run, and every amount the run wrote
// into the usage records, with those a later write of the same record
// replaced. The reconciliation of the posted rates with the items' lines
// names its causes from it.
#ifndef QXHOST_RUN_RESULTS_RUN_JOURNAL_H
#define QXHOST_RUN_RESULTS_RUN_JOURNAL_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"
#include "model/workspace.h"

namespace qxhost::run_results {

struct UtilityJournal {
    // The cost row's amount before the run: the value list keeps amounts
    // from run to run, so a run's posting adds to it.
    std::optional<double> carried_in;
    std::string carried_in_units;
    // The amounts written into usage records, in `units`; `mixed_units`
    // when they came in more than one.
    std::string units;
    bool mixed_units = false;
    long writes = 0;
    double written = 0.0;
    // Amounts this run wrote and then replaced with another stream's: at an
    // item's record, or at the record of streams without a connected item.
    long replaced_at_items = 0;
    double replaced_at_items_amount = 0.0;
    long replaced_bare = 0;
    double replaced_bare_amount = 0.0;
};

// By utility name.
using RunJournal = std::map<std::string, UtilityJournal, std::less<>>;

// Keeps the journal of the run made while it lives: the workspace's
// database watcher from construction to destruction.
class JournalKeeper : private DatabaseWatcher {
public:
    // `rows`: the project's cost rows as they are handed to the run.
    explicit JournalKeeper(const std::vector<CostRow>& rows);
    ~JournalKeeper() override;
    JournalKeeper(const JournalKeeper&) = delete;
    JournalKeeper& operator=(const JournalKeeper&) = delete;

    const RunJournal& journal() const { return journal_; }

private:
    void written(std::string_view db, std::string_view object, std::string_view slot, Value& stored) override;
    void removed(std::string_view db, std::string_view object, std::string_view slot, const Value& old) override;

    RunJournal journal_;
    UtilityJournal& utility(std::string_view name);

    // The mark of every amount this run writes, its own among all keepers
    // of the process: a value removed without it was there before the run.
    std::uint32_t mark_;
    std::uint64_t last_written_ = 0;  // record and slot of the latest amount, hashed
    DatabaseWatcher* previous_;
};

}  // namespace qxhost::run_results

#endif
