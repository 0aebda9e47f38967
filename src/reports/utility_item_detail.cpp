#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/host_ptr.h"
#include "common/text.h"
#include "costs/usage_records.h"
#include "host/projmodel.h"
#include "reports/cooling_water.h"
#include "reports/detailed_line.h"
#include "reports/detailed_report.h"
#include "reports/item_area.h"
#include "reports/report_batch.h"
#include "reports/report_file.h"
#include "reports/summary_report.h"
#include "reports/utility_properties.h"

namespace tovex {

namespace {

// The longest detailed utility line; the rest of a longer one is cut off.
constexpr std::size_t max_utility_line = 2047;
// The Item column holds the first characters of the item name only.
constexpr std::size_t short_item_length = 14;

// Fuel is priced by the operating unit costs, not by a configuration entry;
// its units are shown as stored. False when the project has no Fuel price.
bool read_fuel_properties(std::uint32_t instance, utility_properties& properties)
{
    const std::optional<fuel_unit_cost> unit_cost = read_fuel_unit_cost(instance);
    if (!unit_cost) return false;
    properties.unit_cost = unit_cost->value;
    // Fuel's priced unit is its units text as stored, not cut.
    properties.priced_unit = unit_cost->units;
    return true;
}

// The columns that every line of the utility shares. Fuel has no entry and
// so no temperatures or pressures to print.
detailed_line utility_columns(const std::string& utility, const utility_properties& properties, bool from_entry)
{
    detailed_line line;
    line.description = utility;
    line.fluid = properties.fluid;
    line.units = properties.priced_unit;
    line.pressure_units = properties.pressure_units;
    line.temperature_units = properties.temperature_units;
    if (from_entry) {
        line.operating_pressure = fixed6(properties.pressure);
        line.operating_temperature = fixed6(properties.operating_temperature);
        line.design_pressure = fixed6(properties.design_pressure);
        line.design_temperature = fixed6(properties.design_temperature);
        line.inlet_temperature = fixed6(properties.inlet_temperature);
        line.exit_temperature = fixed6(properties.exit_temperature);
    }
    return line;
}

// The line as written, cut to its longest and ended by a line feed, so that
// one write puts it out.
std::string utility_line_text(const detailed_line& line)
{
    std::string text = compose_detailed_line(line);
    if (text.size() > max_utility_line) text.resize(max_utility_line);
    text += '\n';
    return text;
}

// The DA file's line: warming water shown as cooling water, and a cooling
// water duty shown as a mass rate. The cost per hour stays that of the duty.
// True when the line changed.
bool show_cooling_water_view(const utility_properties& properties, detailed_line& line)
{
    bool changed = false;
    if (shown_as_cooling_water(line.description, properties.fluid, properties.inlet_temperature,
                               properties.exit_temperature)) {
        changed = line.description != cooling_water_name;
        line.description = cooling_water_name;
    }
    const auto mass_unit = cooling_water_mass_unit(line.description, properties.fluid, line.rate_units,
                                                   properties.energy_per_mass, properties.energy_units);
    if (!mass_unit) return changed;
    line.rate /= properties.energy_per_mass;
    line.rate_units = *mass_unit + "/H";
    line.units = *mass_unit;
    return true;
}

// A utility of the pass that has a price, and the columns its lines share.
struct priced_utility {
    const char* name = nullptr;  // held by the pass's utility list
    utility_properties properties;
    detailed_line columns;
};

// True when the pass writes a slot of the utility's name: its lines then
// read what earlier lines wrote, so it is read when its turn comes.
bool reads_written_slot(std::string_view utility)
{
    return utility == cost_per_hour_slot || utility == utility_name_slot;
}

// The utilities of the pass that have a price, in the pass's order: a
// utility without a valid entry, or one that costs nothing, has no lines.
std::vector<priced_utility> price_utilities(CqxProjectStreamsConfig& config, const CStrList& utilities,
                                            std::uint32_t instance)
{
    std::vector<priced_utility> priced;
    for (int u = 0; u < utilities.GetLength(); ++u) {
        const char* name = utilities.GetTextAt(u, nullptr);
        if (name == nullptr) continue;
        priced_utility utility;
        utility.name = name;
        const bool is_fuel = equals_nocase(name, "Fuel");
        if (is_fuel) {
            if (!read_fuel_properties(instance, utility.properties)) continue;
        } else {
            const host_ptr<CqxProjectConfig> entry = adopt(config.InstantiateEntry(name));
            if (!entry || !entry->IsValid()) continue;
            read_utility_entry_properties(*entry, utility.properties);
        }
        if (utility.properties.unit_cost == 0.0) continue;
        utility.columns = utility_columns(name, utility.properties, !is_fuel);
        priced.push_back(std::move(utility));
    }
    return priced;
}

// The usage records of the pass and what their lines show of them.
//
// Each record is read once, before any line is written: the amount, units
// and stream of every priced utility whose slot it holds, its description
// and its item's area. The lines are then written utility by utility from
// what was read, as the pass writes no slot that it reads (a utility named
// like a written slot is read when its turn comes). A line's cost per hour
// is kept with its record, and each record gets the cost and utility of its
// latest line when the lines are out: what writing them line by line would
// leave.
class usage_table {
public:
    // The use of one utility by one record.
    struct use {
        std::uint32_t record;      // position in registry order
        std::uint32_t rate_units;  // index into the units texts
        double rate;
        std::string stream_name;
    };

    usage_table(CqxProject& project, CqxODB& results, const CStrList& records,
                const std::vector<priced_utility>& utilities)
        : project_(project), results_(results), records_(records),
          facts_of_(static_cast<std::size_t>(records.GetLength()), no_facts), uses_(utilities.size())
    {
        std::unordered_map<std::string_view, std::vector<std::size_t>> utilities_by_slot;
        for (std::size_t u = 0; u < utilities.size(); ++u)
            if (!reads_written_slot(utilities[u].name)) utilities_by_slot[utilities[u].name].push_back(u);
        if (utilities_by_slot.empty()) return;
        for (int r = 0; r < records.GetLength(); ++r) read_record(static_cast<std::uint32_t>(r), utilities_by_slot);
    }
    usage_table(const usage_table&) = delete;
    usage_table& operator=(const usage_table&) = delete;
    // The costs of the lines written are written on every path.
    ~usage_table() { write_costs(); }

    const std::vector<use>& uses(std::size_t utility) const { return uses_[utility]; }

    // The use of `utility` by the record at `record` as the record holds it
    // now; false when the record holds no amount of it.
    bool read_use_now(std::uint32_t record, std::string_view utility, use& found)
    {
        const auto handle = open_record(record);
        if (!handle || !read_use(*handle, record, utility, found)) return false;
        note_facts(*handle, record);
        return true;
    }

    std::string_view rate_units(const use& found) const { return units_[found.rate_units]; }
    const std::string& item_description(std::uint32_t record) const { return facts(record).item_description; }
    const std::string& area_id(std::uint32_t record) const { return facts(record).area->first; }
    const std::string& report_group_id(std::uint32_t record) const { return facts(record).area->second; }
    std::string_view item_name(std::uint32_t record) const
    {
        const std::string_view name = record_name(record);
        return name.size() > record_prefix_length ? name.substr(record_prefix_length) : std::string_view();
    }

    // Keeps a written line's cost as its record's latest.
    void note_cost(std::uint32_t record, const char* utility, double cost_per_hour)
    {
        record_facts& kept = facts_[facts_of_[record]];
        kept.cost_utility = utility;
        kept.cost_per_hour = cost_per_hour;
        kept.cost_pending = true;
    }

    // Writes the kept costs to their records, in the order the records were
    // first read.
    void write_costs()
    {
        for (record_facts& kept : facts_) {
            if (!kept.cost_pending) continue;
            kept.cost_pending = false;
            const auto handle = open_record(kept.record);
            if (!handle) continue;
            handle->SetValue(cost_per_hour_slot, kept.cost_per_hour, "", 0);
            handle->SetValue(utility_name_slot, kept.cost_utility, 0);
        }
    }

private:
    static constexpr std::uint32_t no_facts = static_cast<std::uint32_t>(-1);

    // Area id and report group of an item.
    using area_texts = std::pair<std::string, std::string>;

    struct record_facts {
        std::uint32_t record = 0;
        std::string item_description;
        const area_texts* area = nullptr;  // one of areas_
        bool cost_pending = false;
        const char* cost_utility = nullptr;
        double cost_per_hour = 0.0;  // [currency/H]
    };

    std::string_view record_name(std::uint32_t record) const
    {
        return text_or_empty(records_.GetTextAt(static_cast<int>(record), nullptr));
    }
    const record_facts& facts(std::uint32_t record) const { return facts_[facts_of_[record]]; }

    // The record's handle; null when the record is gone.
    std::unique_ptr<CqxGenericObject> open_record(std::uint32_t record) const
    {
        const char* name = records_.GetTextAt(static_cast<int>(record), nullptr);
        if (name == nullptr) return nullptr;
        auto handle = std::make_unique<CqxGenericObject>(results_.UserInstance(), results_.DB(), name, 0, nullptr, 0);
        if (!handle->IsValid() || !handle->Exists()) return nullptr;
        return handle;
    }

    void read_record(std::uint32_t record,
                     const std::unordered_map<std::string_view, std::vector<std::size_t>>& utilities_by_slot)
    {
        const auto handle = open_record(record);
        CStrList slots;
        if (!handle || handle->GetSlots(slots, 0, 0) == 0) return;
        for (int i = 0; i < slots.GetLength(); ++i) {
            const char* slot = slots.GetTextAt(i, nullptr);
            if (slot == nullptr) continue;
            const auto found = utilities_by_slot.find(slot);
            if (found == utilities_by_slot.end()) continue;
            use read;
            if (!read_use(*handle, record, slot, read)) continue;
            note_facts(*handle, record);
            for (const std::size_t utility : found->second) uses_[utility].push_back(read);
        }
    }

    // A record without the utility's slot, or whose slot holds no amount,
    // gets no line: nothing else of it need be read.
    bool read_use(CqxGenericObject& handle, std::uint32_t record, std::string_view utility, use& found)
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
        return true;
    }

    // The description and the area, read at the record's first use.
    void note_facts(CqxGenericObject& handle, std::uint32_t record)
    {
        if (facts_of_[record] != no_facts) return;
        facts_of_[record] = static_cast<std::uint32_t>(facts_.size());
        record_facts& kept = facts_.emplace_back();
        kept.record = record;
        handle.GetValue("CpItemDescription", kept.item_description);
        area_texts area;
        get_item_area_and_group(&project_, item_name(record), area.first, area.second);
        kept.area = &*areas_.insert(std::move(area)).first;
    }

    std::uint32_t units_index(const std::string& units)
    {
        for (std::size_t i = 0; i < units_.size(); ++i)
            if (units_[i] == units) return static_cast<std::uint32_t>(i);
        units_.push_back(units);
        return static_cast<std::uint32_t>(units_.size() - 1);
    }

    CqxProject& project_;
    CqxODB& results_;
    const CStrList& records_;
    std::vector<std::uint32_t> facts_of_;  // by record; no_facts before its first use
    std::vector<record_facts> facts_;      // in the order the records were first read
    std::vector<std::vector<use>> uses_;  // by priced utility, in registry order
    // Few distinct texts over many lines: kept once each.
    std::vector<std::string> units_;
    std::set<area_texts> areas_;
};

// What a written line changes: its record's cost per hour, kept in the
// table. It counts as made as the line is written, so also when the line
// cannot be written.
struct line_cost {
    std::uint32_t record;
    const char* utility;
    double cost_per_hour;  // [currency/H]
};

struct keep_line_cost {
    usage_table* table;
    void operator()(const line_cost& cost) const { table->note_cost(cost.record, cost.utility, cost.cost_per_hour); }
};

using utility_lines = report_batch<line_cost, keep_line_cost>;

// The line of one use, in both files. False on a file error.
bool write_use_line(const priced_utility& utility, const usage_table& table, const usage_table::use& found,
                    utility_lines& lines)
{
    detailed_line line = utility.columns;
    line.rate = found.rate;
    line.rate_units = table.rate_units(found);
    line.item_description = table.item_description(found.record);
    line.stream_name = found.stream_name;
    line.item = table.item_name(found.record).substr(0, short_item_length);
    line.area_id = table.area_id(found.record);
    line.report_group_id = table.report_group_id(found.record);
    line.cost_per_hour = line.rate * utility.properties.unit_cost;

    const std::string text = utility_line_text(line);
    const line_cost cost{found.record, utility.name, line.cost_per_hour};
    // Most lines read the same in the DA file: composed once for both.
    if (!show_cooling_water_view(utility.properties, line)) return lines.add(text, text, cost);
    return lines.add(text, utility_line_text(line), cost);
}

// The lines of a utility named like a slot that the pass writes: read from
// every record as it stands once the lines before are out.
bool write_lines_read_now(const priced_utility& utility, const CStrList& records, usage_table& table,
                          utility_lines& lines)
{
    if (!lines.put_out()) return false;
    table.write_costs();
    for (int r = 0; r < records.GetLength(); ++r) {
        usage_table::use found;
        if (table.read_use_now(static_cast<std::uint32_t>(r), utility.name, found) &&
            !write_use_line(utility, table, found, lines))
            return false;
    }
    return true;
}

// The usage record names, in the order the usage registry lists them.
CStrList read_usage_record_names(std::uint32_t instance)
{
    CStrList names;
    CqxGenericObject registry(instance, results_database, usage_registry, 0, nullptr, 0);
    registry.GetSlots(names, 0, 0);
    return names;
}

// Keeps the results database open for the pass, closing it on every path.
class results_session {
public:
    explicit results_session(CqxODB& results) : results_(results) { results_.Open(0); }
    results_session(const results_session&) = delete;
    results_session& operator=(const results_session&) = delete;
    ~results_session() { results_.Close(0); }

private:
    CqxODB& results_;
};

// Every utility of the configuration, then Fuel, each over every usage
// record. False on a file error.
bool write_utility_lines(CqxProject& project, CqxProjectStreamsConfig& config, CqxODB& results,
                         report_pair& files)
{
    const results_session session(results);
    const std::uint32_t instance = project.UserInstance();
    const CStrList records = read_usage_record_names(instance);
    CStrList utilities;
    config.GetEntries(utilities, nullptr, nullptr);
    utilities.AddTextList("Fuel", '\n');
    const std::vector<priced_utility> priced = price_utilities(config, utilities, instance);

    usage_table table(project, results, records, priced);
    utility_lines lines(files, change_timing::before_line, keep_line_cost{&table});
    for (std::size_t u = 0; u < priced.size(); ++u) {
        if (reads_written_slot(priced[u].name)) {
            if (!write_lines_read_now(priced[u], records, table, lines)) return false;
            continue;
        }
        for (const usage_table::use& found : table.uses(u))
            if (!write_use_line(priced[u], table, found, lines)) return false;
    }
    return lines.put_out();
}

}  // namespace

int write_utility_item_detail(CqxProject* project, const std::string& main_file, const std::string& da_file)
{
    if (project == nullptr) return 0;
    report_pair files;
    if (!files.open(main_file, da_file, open_mode::append)) return 0;
    CqxProjectStreamsConfig config(project, 2005, 0);
    if (!config.IsValid()) return 0;
    CqxODB results(project->UserInstance(), results_database, 0);
    if (!results.IsValid() || !results.Exists()) return 0;
    if (!write_utility_lines(*project, config, results, files)) return 0;
    return files.close() ? 1 : 0;
}

}  // namespace tovex
