#include "results/run_journal.h"

#include "results/usage_record_names.h"

namespace qxhost::results {

namespace {

std::string key_of(std::string_view record, std::string_view slot)
{
    std::string key(record);
    key += '\0';
    key += slot;
    return key;
}

}  // namespace

JournalKeeper::JournalKeeper(const std::vector<CostRow>& rows) : previous_(Workspace::get().watcher())
{
    for (const CostRow& row : rows) {
        if (const auto amount = value_as_number(Value::of_text(row.value))) {
            UtilityJournal& utility = journal_[row.name];
            utility.carried_in = amount->first;
            utility.carried_in_units = amount->second;
        }
    }
    Workspace::get().watch(this);
}

JournalKeeper::~JournalKeeper() { Workspace::get().watch(previous_); }

// A record's slots are written in one order: the description, the
// utility's amount, then its stream when it has one. The stream slot is
// told from an amount by following it.
void JournalKeeper::written(std::string_view db, std::string_view object, std::string_view slot,
                            std::string_view text)
{
    if (db != results_database || object == registry_name || is_fixed_slot(slot)) return;
    if (slot.ends_with(stream_suffix) && last_written_ == key_of(object, slot.substr(0, slot.size() - stream_suffix.size())))
        return;
    const auto amount = value_as_number(Value::of_text(std::string(text)));
    if (!amount) return;
    UtilityJournal& utility = journal_[std::string(slot)];
    if (utility.writes == 0) {
        utility.units = amount->second;
    } else if (utility.units != amount->second) {
        utility.mixed_units = true;
    }
    ++utility.writes;
    utility.written += amount->first;
    last_written_ = key_of(object, slot);
    written_now_.insert(last_written_);
}

void JournalKeeper::removed(std::string_view db, std::string_view object, std::string_view slot, const Value& old)
{
    if (db != results_database || !written_now_.contains(key_of(object, slot))) return;
    const auto amount = value_as_number(old);
    if (!amount) return;
    UtilityJournal& utility = journal_[std::string(slot)];
    if (item_of(object).empty()) {
        ++utility.replaced_bare;
        utility.replaced_bare_amount += amount->first;
    } else {
        ++utility.replaced_at_items;
        utility.replaced_at_items_amount += amount->first;
    }
}

}  // namespace qxhost::results
