#include "reports/electricity_detail.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/host_ptr.h"
#include "common/text.h"
#include "costs/usage_records.h"
#include "host/projmodel.h"
#include "reports/detailed_line.h"
#include "reports/load_file.h"
#include "reports/report_batch.h"
#include "reports/report_file.h"

namespace tovex {

namespace {

// An item's electrical load [KW] as one line of the load file gives it.
struct item_load {
    std::string item_name;
    double load;
};
// The loads of the items, in byte order of the item name, one per item.
using item_loads = std::vector<item_load>;

// The price of electricity [currency/KWH]; 0 when the project has none.
double read_electricity_unit_cost(std::uint32_t instance)
{
    double unit_cost = 0.0;
    std::string unused_units;
    CqxODB operating_costs(instance, "OP", 0);
    operating_costs.GetValue("Operating Unit Costs", "Electricity", unit_cost, unused_units, 0);
    return unit_cost;
}

// The leading decimal integer of the text, taken as the host's unsigned
// reference id. A value outside the 32-bit range wraps, as a negative one
// does, instead of overflowing.
std::uint32_t parse_reference_id(const std::string& text)
{
    return static_cast<std::uint32_t>(std::strtoll(text.c_str(), nullptr, 10));
}

// Keeps the load of a "REF:LOAD" line with the name of the object it
// refers to.
void add_load_line(CqxProject& project, const std::string& line, item_loads& loads)
{
    if (line.find("Object") != std::string::npos || line.find("Project Total") != std::string::npos) return;
    const std::vector<std::string> pieces = load_line_pieces(line);
    if (pieces.size() != 2) return;
    const auto object = adopt(project.FindObjectByRefID(parse_reference_id(pieces[0])));
    if (!object || !object->IsValid()) return;
    const double load = leading_number(pieces[1]);  // [KW]
    if (load == 0.0) return;
    loads.push_back({object->ObjectName(), load});
}

// The items' loads in byte order of their names; a later line for the same
// object replaces the earlier load. Sorted once rather than kept in a tree:
// a large plant has a line for every item.
item_loads read_item_loads(CqxProject& project, load_file& file)
{
    item_loads loads;
    std::string line;
    while (file.read_line(line)) add_load_line(project, line, loads);
    std::stable_sort(loads.begin(), loads.end(),
                     [](const item_load& a, const item_load& b) { return a.item_name < b.item_name; });
    // Of the lines of one item, in file order, the last one stands.
    item_loads latest;
    latest.reserve(loads.size());
    for (item_load& read : loads) {
        if (!latest.empty() && latest.back().item_name == read.item_name) {
            latest.back().load = read.load;
        } else {
            latest.push_back(std::move(read));
        }
    }
    return latest;
}

// What an item's electricity line records once it is written: the item's
// use in its usage record, with the record's cost per hour.
struct item_usage {
    const std::string* item_name = nullptr;
    double load = 0.0;  // [KW]
    std::string description;
    double cost_per_hour = 0.0;  // [currency/H]
};

struct record_item_usage {
    std::uint32_t instance = 0;
    void operator()(const item_usage& usage) const
    {
        record_utility_usage("Electricity", fixed6_with_units(usage.load, "KWH"), *usage.item_name,
                             usage.description, "");
        CqxGenericObject record(instance, results_database, usage_record_name("Electricity", *usage.item_name), 0,
                                nullptr, 0);
        record.SetValue(cost_per_hour_slot, usage.cost_per_hour, "", 0);
        record.SetValue(utility_name_slot, "Electricity", 0);
    }
};

using electricity_lines = report_batch<item_usage, record_item_usage>;

// The electricity line of one item, written to both files, and its usage
// record. An item that is no equipment item or lies in no area is passed
// over. False on a file error.
bool write_item_electricity(CqxProject& project, const std::string& item_name, double load,
                            double unit_cost, electricity_lines& lines)
{
    CqxProjectObject item(item_name.c_str(), 1705, &project, 0);
    if (!item.IsValid()) return true;
    std::string description;
    item.GetValue("CpItemDescription", description);
    CqxProjectObject* found_area = nullptr;
    item.GetParentAreaObject(&found_area);
    const auto area = adopt(found_area);
    if (!area || !area->IsValid()) return true;

    detailed_line line;
    line.description = "Electricity";
    line.item = item.Model();
    line.item_description = description;
    line.rate = load;
    line.units = "KW";
    line.rate_units = "KWH";
    line.cost_per_hour = load * unit_cost;
    area->GetValue("ArAreaReferenceNumber", line.area_id);
    area->GetValue("ArReportGroupNumber", line.report_group_id);
    const std::string text = compose_detailed_line(line) + '\n';
    return lines.add(text, text, item_usage{&item_name, load, std::move(description), line.cost_per_hour});
}

// Releases the project's object list when the pass that built it ends.
struct object_list_release {
    object_list_release() = default;
    object_list_release(const object_list_release&) = delete;
    object_list_release& operator=(const object_list_release&) = delete;
    ~object_list_release() { CqxProject::DeleteObjectList(); }
};

}  // namespace

int write_electricity_detail(CqxProject* project, const std::string& main_file, const std::string& da_file)
{
    if (project == nullptr) return 0;
    report_pair files;
    if (!files.open_after_heading(main_file, da_file)) return 0;

    const double unit_cost = read_electricity_unit_cost(project->UserInstance());
    if (unit_cost == 0.0) return 0;
    load_file file;
    if (!file.open()) return 0;

    project->InitObjectList();
    const object_list_release release;
    const item_loads loads = read_item_loads(*project, file);
    file.close();

    electricity_lines lines(files, change_timing::after_line, record_item_usage{project->UserInstance()});
    for (const auto& [item_name, load] : loads)
        if (!write_item_electricity(*project, item_name, load, unit_cost, lines)) return 0;
    if (!lines.put_out()) return 0;
    return files.close() ? 1 : 0;
}

}  // namespace tovex
