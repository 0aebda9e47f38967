#include <cstdint>
#include <memory>
#include <optional>
#include <string>
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
// The slots that the pass writes on a record that has a line.
constexpr const char* cost_per_hour_slot = "COST PER HOUR";
constexpr const char* utility_name_slot = "UTILITY NAME";

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

// What a line changes on its usage record: the record's cost per hour and
// the utility that it is for. It is made as the line is written, so it is
// made also when the line cannot be written.
struct record_cost {
    std::unique_ptr<CqxGenericObject> record;
    double cost_per_hour = 0.0;  // [currency/H]
    const char* utility = nullptr;
};

struct write_record_cost {
    void operator()(const record_cost& cost) const
    {
        cost.record->SetValue(cost_per_hour_slot, cost.cost_per_hour, "", 0);
        cost.record->SetValue(utility_name_slot, cost.utility, 0);
    }
};

using utility_lines = report_batch<record_cost, write_record_cost>;

// True when the pass writes a slot of the utility's name: its lines then
// read what earlier lines changed, so those changes must be made first.
bool reads_written_slot(const std::string& utility)
{
    return utility == cost_per_hour_slot || utility == utility_name_slot;
}

// An item's area and report group are the same for every utility of its
// record: they are looked up at the record's first line and kept.
struct record_area {
    bool known = false;
    std::string area_id;
    std::string report_group_id;
};

// The lines of one usage record for one utility, and the record's cost per
// hour. A record that does not use the utility, or a use that costs nothing,
// is passed over. False on a file error.
bool write_record_lines(CqxProject& project, CqxODB& results, const std::string& record_name,
                        const char* utility_text, const utility_properties& properties,
                        const detailed_line& columns, record_area& area, utility_lines& lines)
{
    auto record = std::make_unique<CqxGenericObject>(results.UserInstance(), results.DB(), record_name, 0,
                                                     nullptr, 0);
    if (!record->IsValid() || !record->Exists()) return true;

    // A record without the utility's slot, or whose slot holds no amount,
    // gets no line: nothing else of it need be read. (Reports convert no
    // units, so the reads left out note no source that a warning could use.)
    const std::string_view utility(utility_text);
    double rate = 0.0;
    std::string rate_units;
    record->GetValue(utility, rate, rate_units);
    if (rate == 0.0) return true;

    detailed_line line = columns;
    line.rate = rate;
    line.rate_units = std::move(rate_units);
    record->GetValue("CpItemDescription", line.item_description);
    std::string stream_slot(utility);
    stream_slot += stream_slot_suffix;
    record->GetValue(stream_slot, line.stream_name);
    const std::string item_name =
        record_name.size() > record_prefix_length ? record_name.substr(record_prefix_length) : std::string();
    line.item = item_name.substr(0, short_item_length);
    if (!area.known) {
        area.area_id = line.area_id;
        area.report_group_id = line.report_group_id;
        get_item_area_and_group(&project, item_name, area.area_id, area.report_group_id);
        area.known = true;
    }
    line.area_id = area.area_id;
    line.report_group_id = area.report_group_id;
    line.cost_per_hour = line.rate * properties.unit_cost;

    const std::string text = utility_line_text(line);
    record_cost cost{std::move(record), line.cost_per_hour, utility_text};
    // Most lines read the same in the DA file: composed once for both.
    if (!show_cooling_water_view(properties, line)) return lines.add(text, text, std::move(cost));
    return lines.add(text, utility_line_text(line), std::move(cost));
}

// The usage record names, in the order the usage registry lists them.
CStrList read_usage_record_names(std::uint32_t instance)
{
    CStrList names;
    CqxGenericObject registry(instance, results_database, usage_registry, 0, nullptr, 0);
    registry.GetSlots(names, 0, 0);
    return names;
}

// For each slot name, the positions (in registry order) of the records that
// hold a slot of that name before the pass begins. A record can only have a
// line for a utility whose slot it holds, so the pass visits these records
// instead of asking every record about every utility. The slots that the
// pass itself writes are not listed: a utility of such a name visits every
// record.
class records_by_slot {
public:
    records_by_slot(CqxODB& results, const CStrList& records)
    {
        for (int r = 0; r < records.GetLength(); ++r) {
            const char* record_name = records.GetTextAt(r, nullptr);
            if (record_name == nullptr) continue;
            CqxGenericObject record(results.UserInstance(), results.DB(), record_name, 0, nullptr, 0);
            CStrList slots;
            if (!record.IsValid() || !record.Exists() || record.GetSlots(slots, 0, 0) == 0) continue;
            for (int i = 0; i < slots.GetLength(); ++i) {
                if (const char* slot = slots.GetTextAt(i, nullptr)) positions_[slot].push_back(r);
            }
        }
        record_count_ = records.GetLength();
    }

    const std::vector<int>& candidates(const std::string& utility)
    {
        if (reads_written_slot(utility)) {
            if (all_.empty()) {
                for (int r = 0; r < record_count_; ++r) all_.push_back(r);
            }
            return all_;
        }
        const auto found = positions_.find(utility);
        return found == positions_.end() ? none_ : found->second;
    }

private:
    std::unordered_map<std::string, std::vector<int>> positions_;
    int record_count_ = 0;
    std::vector<int> all_;  // made when a utility needs every record
    std::vector<int> none_;
};

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
    records_by_slot lookup(results, records);
    std::vector<record_area> areas(static_cast<std::size_t>(records.GetLength()));
    CStrList utilities;
    config.GetEntries(utilities, nullptr, nullptr);
    utilities.AddTextList("Fuel", '\n');
    utility_lines lines(files, change_timing::before_line, write_record_cost{});

    for (int u = 0; u < utilities.GetLength(); ++u) {
        const char* utility_text = utilities.GetTextAt(u, nullptr);
        if (utility_text == nullptr) continue;
        const std::string utility(utility_text);
        utility_properties properties;
        host_ptr<CqxProjectConfig> entry;
        const bool is_fuel = equals_nocase(utility, "Fuel");
        if (is_fuel) {
            if (!read_fuel_properties(instance, properties)) continue;
        } else {
            entry = adopt(config.InstantiateEntry(utility));
            if (!entry || !entry->IsValid()) continue;
            read_utility_entry_properties(*entry, properties);
        }
        // A utility that costs nothing has no lines.
        if (properties.unit_cost == 0.0) continue;
        const detailed_line columns = utility_columns(utility, properties, !is_fuel);
        if (reads_written_slot(utility) && !lines.put_out()) return false;

        for (const int r : lookup.candidates(utility)) {
            const char* record_name = records.GetTextAt(r, nullptr);
            if (record_name == nullptr) continue;
            if (!write_record_lines(project, results, record_name, utility_text, properties, columns,
                                    areas[static_cast<std::size_t>(r)], lines))
                return false;
        }
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
