#include "run_results/result_figures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "tovex/results_layout.h"

namespace qxhost::run_results {

namespace {


// As the inheriting getters read it: the object's own, else its default.
std::string text_slot(const Object& object, std::string_view slot)
{
    const Value* value = object.slots.find(slot);
    if (value == nullptr) value = object.defaults.find(slot);
    return value != nullptr ? value_as_text(*value) : std::string();
}

void add_to(std::map<std::string, GroupCost>& groups, const std::string& key, double cost_per_hour, bool new_item)
{
    GroupCost& group = groups[key];
    group.name = key;
    group.cost_per_hour += cost_per_hour;
    if (new_item) ++group.items;
}

std::vector<GroupCost> largest_first(const std::map<std::string, GroupCost>& groups)
{
    std::vector<GroupCost> sorted;
    for (const auto& [key, group] : groups) sorted.push_back(group);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const GroupCost& a, const GroupCost& b) { return a.cost_per_hour > b.cost_per_hour; });
    return sorted;
}

}  // namespace

// One pass; an item's area is looked up once for the run of its lines.
AreaCosts cost_by_area_and_group(const Project& after, const std::vector<ItemUsage>& usages)
{
    std::map<std::string, GroupCost> areas, groups;
    std::unordered_set<std::string_view> items_seen;  // an item is in one area
    const std::string* last_item = nullptr;
    std::string area_key, group_key;
    for (const ItemUsage& usage : usages) {
        if (!usage.cost_per_hour) continue;
        if (last_item == nullptr || *last_item != usage.item) {
            last_item = &usage.item;
            area_key.clear();
            group_key.clear();
            const long item = after.object_index(usage.item);
            const long area = item < 0 ? -1 : after.index.area_of_object[static_cast<std::size_t>(item)];
            if (area >= 0) {
                const Object& object = after.objects[static_cast<std::size_t>(area)];
                area_key = text_slot(object, "ArAreaReferenceNumber");
                if (area_key.empty()) area_key = object.name;
                group_key = text_slot(object, "ArReportGroupNumber");
            }
        }
        const bool new_item = items_seen.insert(usage.item).second;
        add_to(areas, area_key, *usage.cost_per_hour, new_item);
        add_to(groups, group_key, *usage.cost_per_hour, new_item);
    }
    return {largest_first(areas), largest_first(groups)};
}

std::vector<ItemCost> costliest_items(const std::vector<ItemUsage>& usages, std::size_t count)
{
    std::vector<ItemCost> items;
    std::unordered_map<std::string, std::size_t> at;
    for (const ItemUsage& usage : usages) {
        if (!usage.cost_per_hour) continue;
        const auto [place, added] = at.emplace(usage.item, items.size());
        if (added) items.push_back({usage.item, usage.description, 0.0, {}});
        ItemCost& item = items[place->second];
        item.cost_per_hour += *usage.cost_per_hour;
        item.utilities.push_back(&usage);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const ItemCost& a, const ItemCost& b) { return a.cost_per_hour > b.cost_per_hour; });
    if (items.size() > count) items.resize(count);
    return items;
}

std::vector<Reconciliation> reconcile(const std::vector<UtilityLine>& lines,
                                      const std::vector<ItemUsage>& usages,
                                      const std::optional<RunJournal>& journal,
                                      const std::set<std::string, std::less<>>& balanced)
{
    std::vector<Reconciliation> rows;
    std::unordered_map<std::string_view, std::vector<const ItemUsage*>> by_utility;
    for (const ItemUsage& usage : usages) by_utility[usage.utility].push_back(&usage);
    for (const auto& line : lines) {
        if (line.name == "Electricity") continue;  // its lines are per item of the load summary
        Reconciliation& row = rows.emplace_back();
        row.utility = line.name;
        row.units = line.rate_units;
        row.posted = line.rate;
        double largest = 0.0;
        bool bare_record = false;
        double bare_amount = 0.0;
        int zero_amounts = 0;
        double unpriced = 0.0;  // amounts recorded, but given no line
        for (const ItemUsage* of_utility : by_utility[line.name]) {
            const ItemUsage& usage = *of_utility;
            if (usage.item.empty()) {
                bare_record = true;
                bare_amount = usage.amount.value_or(0.0);
            }
            if (usage.amount && *usage.amount == 0) ++zero_amounts;
            if (!usage.amount || usage.amount_units != line.rate_units) continue;
            largest = std::max(largest, std::fabs(*usage.amount));
            if (!usage.cost_per_hour) {
                unpriced += *usage.amount;
                continue;
            }
            row.lines += *usage.amount;
            ++row.line_count;
        }
        row.difference = row.posted.value_or(0.0) - row.lines;
        if (zero_amounts > 0)
            row.causes.push_back({std::to_string(zero_amounts) + " record(s) with a zero amount, skipped", 0.0});
        if (unpriced != 0)
            row.causes.push_back({"recorded but given no line: the utility's unit cost is 0", unpriced});
        double rest = row.difference - unpriced;
        long postings = row.line_count;

        // What the journal knows is exact: take it out before judging the rest.
        const UtilityJournal* noted = nullptr;
        if (journal)
            if (const auto found = journal->find(line.name); found != journal->end()) noted = &found->second;
        if (noted != nullptr) {
            const UtilityJournal& j = *noted;
            if (j.carried_in && *j.carried_in != 0 && j.carried_in_units == line.rate_units) {
                row.causes.push_back({"held by the cost row before the run: postings add to it", *j.carried_in});
                rest -= *j.carried_in;
            }
            // The duty balance records each item's running net, so a record
            // replaced there loses nothing.
            if (!balanced.contains(line.name) && !j.mixed_units && j.units == line.rate_units) {
                if (j.replaced_at_items > 0) {
                    row.causes.push_back({std::to_string(j.replaced_at_items) + " more stream(s) of the utility at an "
                                          "item: its record keeps only the latest",
                                          j.replaced_at_items_amount});
                    rest -= j.replaced_at_items_amount;
                }
                if (j.replaced_bare > 0) {
                    row.causes.push_back({std::to_string(j.replaced_bare) + " stream(s) without a connected item: "
                                          "the one record under the bare prefix keeps only the last",
                                          j.replaced_bare_amount});
                    rest -= j.replaced_bare_amount;
                }
            }
            postings = std::max(postings, j.writes);
        }
        // Each posting is rounded to seven significant digits and each line
        // printed to six decimals: differences within that are rounding.
        const double rounding = static_cast<double>(postings + 1) *
                                (5e-7 * std::max(largest, std::fabs(row.posted.value_or(0.0))) + 5e-7);
        if (std::fabs(rest) <= rounding) {
            if (rest != 0) row.causes.push_back({"amounts rounded at each posting", rest});
            continue;
        }
        if (line.cost_per_hour && *line.cost_per_hour == 0) {
            row.causes.push_back({"priced at 0: the detailed report gives it no lines", rest});
            continue;
        }
        // A run kept without a journal: the bare record is the likely cause.
        if (!journal && bare_record) {
            row.causes.push_back({"streams without a connected item: one record under the bare prefix keeps only "
                                  "the last of them (" + std::to_string(bare_amount) + " kept)",
                                  rest});
            continue;
        }
        row.explained = false;
    }
    return rows;
}

std::optional<Reconciliation> reconcile_electricity(const Project& after,
                                                    const std::vector<UtilityLine>& lines,
                                                    const std::vector<ItemUsage>& usages)
{
    const auto line = std::find_if(lines.begin(), lines.end(), [](const auto& l) { return l.name == "Electricity"; });
    if (line == lines.end()) return std::nullopt;
    Reconciliation row;
    row.utility = line->name;
    row.units = line->rate_units;
    row.posted = line->rate;
    for (const ItemUsage& usage : usages) {
        if (usage.utility != "Electricity" || !usage.amount || !usage.cost_per_hour) continue;
        row.lines += *usage.amount;
        ++row.line_count;
    }
    row.difference = row.posted.value_or(0.0) - row.lines;
    double rest = row.difference;
    // The loads the detailed report passes over, from the project's load
    // summary; a load file given as text is not read here.
    double listed = 0.0;
    for (const ElectricalLoad& load : after.electrical_loads) {
        listed += load.kw;
        if (load.kw == 0) continue;
        const Object* item = after.object_with_ref_id(load.ref_id);
        if (item == nullptr || item->class_id != 1705) {
            row.causes.push_back({"reference id " + std::to_string(load.ref_id) + " names no equipment item", load.kw});
        } else if (item->area.empty()) {
            row.causes.push_back({item->name + " is in no area: the detailed report gives it no line", load.kw});
        } else {
            continue;
        }
        rest -= load.kw;
    }
    if (after.has_electrical_loads && after.total_kw && *after.total_kw != listed) {
        row.causes.push_back({"the load summary's project total is not the sum of its items", *after.total_kw - listed});
        rest -= *after.total_kw - listed;
    }
    // Loads are printed to six decimals on each line.
    const double rounding = static_cast<double>(row.line_count + 1) * 5e-7;
    if (std::fabs(rest) > rounding) row.explained = false;
    else if (rest != 0) row.causes.push_back({"loads rounded on each line", rest});
    return row;
}

std::set<std::string, std::less<>> balanced_utilities(const Project& after, std::string_view call,
                                                      const std::vector<UtilityLine>& utilities)
{
    std::set<std::string, std::less<>> balanced;
    if (after.sim_type != 4 || call != "full") return balanced;
    const std::string_view duty_units = tovex::layout::duty_balance_units(after.unit_system);
    for (const UtilityLine& line : utilities)
        if (line.rate_units == duty_units) balanced.insert(line.name);
    return balanced;
}

}  // namespace qxhost::run_results
