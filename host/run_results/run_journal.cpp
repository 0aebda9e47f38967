#include "run_results/run_journal.h"

#include <atomic>

#include "run_results/usage_record.h"

namespace qxhost::run_results {

namespace {

namespace layout = tovex::layout;

std::uint64_t key_of(std::string_view record, std::string_view slot)
{
    const std::hash<std::string_view> hash;
    return hash(record) * 0x9E3779B97F4A7C15ULL ^ hash(slot);
}

// Each keeper's mark is new, so that a value a keeper of an earlier run
// marked (in a project kept or copied since) is not taken for this run's.
std::uint32_t new_mark()
{
    static std::atomic<std::uint32_t> last{0};
    std::uint32_t mark = ++last;
    if (mark == 0) mark = ++last;  // 0 marks no value
    return mark;
}

}  // namespace

JournalKeeper::JournalKeeper(const std::vector<CostRow>& rows) : mark_(new_mark()), previous_(Workspace::get().watcher())
{
    for (const CostRow& row : rows) {
        if (const auto amount = value_as_number(Value::of_text(row.value))) {
            UtilityJournal& entry = utility(row.name);
            entry.carried_in = amount->first;
            entry.carried_in_units = amount->second;
        }
    }
    Workspace::get().watch(this);
}

JournalKeeper::~JournalKeeper() { Workspace::get().watch(previous_); }

UtilityJournal& JournalKeeper::utility(std::string_view name)
{
    const auto found = journal_.find(name);
    return found != journal_.end() ? found->second : journal_[std::string(name)];
}

// A record's slots are written in one order: the description, the
// utility's amount, then its stream when it has one. The stream slot is
// told from an amount by following it.
void JournalKeeper::written(std::string_view db, std::string_view object, std::string_view slot, Value& stored)
{
    const std::string_view text = stored.text;
    if (db != layout::results_database || object == layout::usage_registry || is_fixed_slot(slot)) return;
    const std::string_view suffix = layout::stream_slot_suffix;
    if (slot.ends_with(suffix) && last_written_ == key_of(object, slot.substr(0, slot.size() - suffix.size())))
        return;
    // Read in place: a large plant's run writes a record slot per item.
    const auto amount = text_as_number(text);
    if (!amount) return;
    UtilityJournal& entry = utility(slot);
    if (entry.writes == 0) {
        entry.units = std::string(amount->second);
    } else if (entry.units != amount->second) {
        entry.mixed_units = true;
    }
    ++entry.writes;
    entry.written += amount->first;
    last_written_ = key_of(object, slot);
    stored.mark = mark_;
}

void JournalKeeper::removed(std::string_view db, std::string_view object, std::string_view slot, const Value& old)
{
    if (db != layout::results_database || old.mark != mark_) return;
    const auto amount = value_as_number(old);
    if (!amount) return;
    UtilityJournal& entry = utility(slot);
    if (item_of(object).empty()) {
        ++entry.replaced_bare;
        entry.replaced_bare_amount += amount->first;
    } else {
        ++entry.replaced_at_items;
        entry.replaced_at_items_amount += amount->first;
    }
}

}  // namespace qxhost::run_results
