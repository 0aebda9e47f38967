// The detailed report's utility pass: for every priced utility and every
// usage record that holds an amount of it, one line in each file, and the
// record's cost per hour stored back.
//
// It runs in four steps: price the utilities, read each usage record once,
// write the lines utility by utility, and write the costs back. Done line by
// line, the pass would look every record up once per utility, make two
// writes and two slot writes per line: on a large plant most of the run.
// Here the records are read once (usage_table), the lines go out in blocks
// (report_batch), and each record's cost is written once, with the values
// of its latest line (record_costs), which is what writing it at every line
// would leave.
//
// Failures end the pass as writing line by line would: a refused write ends
// it at that line, with the files holding the lines before it and the costs
// of the lines up to it stored (a line's cost counts as set before the line
// is written), and none after.
#include "reports/utility_item_detail.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "costs/usage_records.h"
#include "host/projmodel.h"
#include "reports/cooling_water.h"
#include "reports/detailed_line.h"
#include "reports/priced_utilities.h"
#include "reports/report_batch.h"
#include "reports/report_file.h"
#include "reports/usage_table.h"

namespace tovex {

namespace {

// The longest detailed utility line; the rest of a longer one is cut off.
constexpr std::size_t max_utility_line = 2047;
// The Item column holds the first characters of the item name only.
constexpr std::size_t short_item_length = 14;

// The cost per hour and utility of each record's latest line, until they
// are written to the records.
class record_costs {
public:
    explicit record_costs(std::uint32_t records) : latest_(records) {}

    void note(std::uint32_t record, const char* utility, double cost_per_hour)
    {
        latest_[record] = {utility, cost_per_hour, true};
    }

    // Writes the costs noted since the last call to their records.
    void write_back(const usage_table& usage)
    {
        for (std::uint32_t record = 0; record < latest_.size(); ++record) {
            cost& noted = latest_[record];
            if (!noted.pending) continue;
            noted.pending = false;
            const auto handle = usage.open_record(record);
            if (!handle) continue;
            handle->SetValue(cost_per_hour_slot, noted.cost_per_hour, "", 0);
            handle->SetValue(utility_name_slot, noted.utility, 0);
        }
    }

private:
    struct cost {
        const char* utility = nullptr;
        double cost_per_hour = 0.0;  // [currency/H]
        bool pending = false;
    };
    std::vector<cost> latest_;
};

// A line's cost, noted as the line goes out: before it is written, so also
// when it cannot be.
struct line_cost {
    std::uint32_t record;
    const char* utility;
    double cost_per_hour;  // [currency/H]
};

struct note_line_cost {
    record_costs* costs;
    void operator()(const line_cost& cost) const { costs->note(cost.record, cost.utility, cost.cost_per_hour); }
};

using utility_lines = report_batch<line_cost, note_line_cost>;

// A utility named like a slot that the pass writes reads what the lines
// before it wrote: its turn comes with the records as they stand then.
bool reads_written_slot(std::string_view utility)
{
    return utility == cost_per_hour_slot || utility == utility_name_slot;
}

// The names of the utilities whose uses can be read before any line is
// written; null for the others.
std::vector<const char*> read_up_front(const std::vector<priced_utility>& priced)
{
    std::vector<const char*> names;
    for (const priced_utility& utility : priced)
        names.push_back(reads_written_slot(utility.name) ? nullptr : utility.name);
    return names;
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

// The line of one use, in both files. False on a file error.
bool write_use_line(const priced_utility& utility, const usage_table& usage, const usage_table::use& found,
                    utility_lines& lines)
{
    detailed_line line = utility.columns;
    line.rate = found.rate;
    line.rate_units = usage.rate_units(found);
    line.item_description = usage.item_description(found.record);
    line.stream_name = found.stream_name;
    line.item = usage.item_name(found.record).substr(0, short_item_length);
    line.area_id = usage.area_id(found.record);
    line.report_group_id = usage.report_group_id(found.record);
    line.cost_per_hour = line.rate * utility.properties.unit_cost;

    const std::string text = utility_line_text(line);
    const line_cost cost{found.record, utility.name, line.cost_per_hour};
    const utility_properties& properties = utility.properties;
    const water_facts facts{properties.fluid, properties.inlet_temperature, properties.exit_temperature,
                            properties.energy_per_mass, properties.energy_units};
    // Most lines read the same in the DA file: composed once for both.
    if (!show_cooling_water_view(facts, {line.description, line.rate, line.units, line.rate_units}))
        return lines.add(text, text, cost);
    return lines.add(text, utility_line_text(line), cost);
}

// Every priced utility's lines, in order. False on a file error.
bool write_lines(const std::vector<priced_utility>& priced, usage_table& usage, record_costs& costs,
                 utility_lines& lines)
{
    for (std::size_t u = 0; u < priced.size(); ++u) {
        if (reads_written_slot(priced[u].name)) {
            if (!lines.put_out()) return false;
            costs.write_back(usage);
            usage.read_again(u, priced[u].name);
        }
        for (const usage_table::use& found : usage.uses(u))
            if (!write_use_line(priced[u], usage, found, lines)) return false;
    }
    return lines.put_out();
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

// The four steps. False on a file error.
bool write_utility_pass(CqxProject& project, CqxProjectStreamsConfig& config, CqxODB& results, report_pair& files)
{
    const results_session session(results);
    const std::uint32_t instance = project.UserInstance();
    CStrList utilities;
    config.GetEntries(utilities, nullptr, nullptr);
    utilities.AddTextList("Fuel", '\n');
    const std::vector<priced_utility> priced = price_utilities(config, utilities, instance);

    const CStrList records = read_usage_record_names(instance);
    usage_table usage(project, results, records, read_up_front(priced));

    record_costs costs(usage.record_count());
    utility_lines lines(files, change_timing::before_line, note_line_cost{&costs});
    const bool written = write_lines(priced, usage, costs, lines);
    costs.write_back(usage);
    return written;
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
    if (!write_utility_pass(*project, config, results, files)) return 0;
    return files.close() ? 1 : 0;
}

}  // namespace tovex
