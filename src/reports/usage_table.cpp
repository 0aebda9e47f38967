#include "reports/usage_table.h"

#include <unordered_map>

#include "common/text.h"
#include "costs/usage_records.h"
#include "reports/item_area.h"

namespace tovex {

usage_table::usage_table(CqxProject& project, CqxODB& results, const CStrList& records,
                         const std::vector<const char*>& utilities)
    : project_(project), results_(results), records_(records),
      facts_of_(static_cast<std::size_t>(records.GetLength()), no_facts), uses_(utilities.size())
{
    std::unordered_map<std::string_view, std::vector<std::size_t>> utilities_by_slot;
    for (std::size_t u = 0; u < utilities.size(); ++u)
        if (utilities[u] != nullptr) utilities_by_slot[utilities[u]].push_back(u);
    if (utilities_by_slot.empty()) return;

    for (std::uint32_t record = 0; record < record_count(); ++record) {
        const auto handle = open_record(record);
        CStrList slots;
        if (!handle || handle->GetSlots(slots, 0, 0) == 0) continue;
        for (int i = 0; i < slots.GetLength(); ++i) {
            const char* slot = slots.GetTextAt(i, nullptr);
            if (slot == nullptr) continue;
            const auto found = utilities_by_slot.find(slot);
            if (found == utilities_by_slot.end()) continue;
            use read;
            if (!read_use(*handle, record, slot, read)) continue;
            for (const std::size_t utility : found->second) uses_[utility].push_back(read);
        }
    }
}

void usage_table::read_again(std::size_t utility, std::string_view name)
{
    std::vector<use>& uses = uses_[utility];
    uses.clear();
    for (std::uint32_t record = 0; record < record_count(); ++record) {
        const auto handle = open_record(record);
        use found;
        if (handle && read_use(*handle, record, name, found)) uses.push_back(std::move(found));
    }
}

std::string_view usage_table::item_name(std::uint32_t record) const
{
    const std::string_view name = record_name(record);
    return name.size() > record_prefix_length ? name.substr(record_prefix_length) : std::string_view();
}

std::unique_ptr<CqxGenericObject> usage_table::open_record(std::uint32_t record) const
{
    const char* name = records_.GetTextAt(static_cast<int>(record), nullptr);
    if (name == nullptr) return nullptr;
    auto handle = std::make_unique<CqxGenericObject>(results_.UserInstance(), results_.DB(), name, 0, nullptr, 0);
    if (!handle->IsValid() || !handle->Exists()) return nullptr;
    return handle;
}

std::string_view usage_table::record_name(std::uint32_t record) const
{
    return text_or_empty(records_.GetTextAt(static_cast<int>(record), nullptr));
}

// A record without the utility's slot, or whose slot holds no amount, gets
// no line: nothing else of it need be read.
bool usage_table::read_use(CqxGenericObject& handle, std::uint32_t record, std::string_view utility, use& found)
{
    double rate = 0.0;
    std::string units;
    handle.GetValue(utility, rate, units);
    if (rate == 0.0) return false;
    found.record = record;
    found.rate = rate;
    found.rate_units = units_index(units);
    std::string stream_slot(utility);
    stream_slot += stream_slot_suffix;
    found.stream_name.clear();
    handle.GetValue(stream_slot, found.stream_name);
    note_facts(handle, record);
    return true;
}

// The description and the area, read at the record's first use.
void usage_table::note_facts(CqxGenericObject& handle, std::uint32_t record)
{
    if (facts_of_[record] != no_facts) return;
    facts_of_[record] = static_cast<std::uint32_t>(facts_.size());
    record_facts& kept = facts_.emplace_back();
    handle.GetValue("CpItemDescription", kept.item_description);
    area_texts area;
    get_item_area_and_group(&project_, item_name(record), area.first, area.second);
    kept.area = &*areas_.insert(std::move(area)).first;
}

std::uint32_t usage_table::units_index(const std::string& units)
{
    for (std::size_t i = 0; i < units_.size(); ++i)
        if (units_[i] == units) return static_cast<std::uint32_t>(i);
    units_.push_back(units);
    return static_cast<std::uint32_t>(units_.size() - 1);
}

}  // namespace tovex
