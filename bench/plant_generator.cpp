#include "plant_generator.h"

#include <string>

namespace tovex_bench {

namespace {

using qxhost::Value;

void add_entry(qxhost::Project& plant, const std::string& name, const std::string& fluid, double unit_cost,
               const std::string& cost_units)
{
    qxhost::Entry entry;
    entry.slots.set("Fluid", Value::of_text(fluid));
    entry.slots.set("Unit Cost", Value::of_number(unit_cost, cost_units));
    entry.slots.set("Unit Cost Units", Value::of_text(cost_units));
    entry.slots.set("Inlet temperature", Value::of_number(85, "DEG F"));
    entry.slots.set("Exit temperature", Value::of_number(105, "DEG F"));
    plant.entries.set(name, std::move(entry));
}

void add_object(qxhost::Project& plant, std::string name, int class_id, std::uint32_t ref_id,
                qxhost::SlotTable slots, std::string area = {})
{
    qxhost::Object object;
    object.name = std::move(name);
    object.class_id = class_id;
    object.ref_id = ref_id;
    object.area = std::move(area);
    object.slots = std::move(slots);
    plant.objects.push_back(std::move(object));
}

qxhost::SlotTable stream_slots(const std::string& utility, const char* quantity, double value, const char* units)
{
    qxhost::SlotTable slots;
    slots.set("DESCRIPTION", Value::of_text(utility));
    slots.set("FLUID", Value::of_text("Water"));
    slots.set(quantity, Value::of_number(value, units));
    return slots;
}

}  // namespace

std::unique_ptr<qxhost::Project> generate_plant(int units, bool balanced)
{
    auto plant = std::make_unique<qxhost::Project>();
    plant->instance = 1;
    plant->name = "BENCH";
    plant->scenario = "Base";
    plant->has_sim_case = true;
    plant->sim_case_valid = true;
    plant->sim_type = balanced ? 4 : 1;
    plant->has_utility_streams = true;
    plant->utility_streams_valid = true;
    plant->configurations = {2105};
    plant->design_criteria.get_or_add("Heat Exchangers").set("Fuel heating value", {20500, "BTU/LB"});
    add_entry(*plant, "Cooling Water", "Water", 0.085, "$/KGAL");
    add_entry(*plant, "Steam @165PSI", "Steam", 12.5, "$/KLB");
    add_entry(*plant, "Chilled Water", "Water", 7.5, "$/MMBTU");

    std::uint32_t ref_id = 1;
    for (int unit = 0; unit < units; ++unit) {
        const std::string tag = std::to_string(unit);
        const std::string area = "AREA-" + tag;
        qxhost::SlotTable area_slots;
        area_slots.set("ArAreaReferenceNumber", Value::of_text(tag));
        area_slots.set("ArReportGroupNumber", Value::of_text("1"));
        add_object(*plant, area, 1505, ref_id++, std::move(area_slots));

        for (const char* kind : {"E", "R", "F", "P", "X"}) {
            qxhost::SlotTable item_slots;
            item_slots.set("CpItemDescription", Value::of_text(std::string(kind) + " item of unit " + tag));
            add_object(*plant, std::string(kind) + "-" + tag, 1705, ref_id++, std::move(item_slots), area);
        }
        add_object(*plant, "CW-" + tag, 3105, ref_id++,
                   stream_slots("Cooling Water", "TOTAL MASS FLOW", 250000, "LB/H"));
        add_object(*plant, "ST-" + tag, 3105, ref_id++,
                   stream_slots("Steam @165PSI", "TOTAL MASS FLOW", 18000, "LB/H"));
        add_object(*plant, "FG-" + tag, 3305, ref_id++, stream_slots("Fuel", "TOTAL MASS FLOW", 2100, "LB/H"));
        add_object(*plant, "CH-" + tag, 3005, ref_id++, stream_slots("Chilled Water", "DUTY", 1.5e6, "BTU/H"));
        add_object(*plant, "CR-" + tag, 3005, ref_id++, stream_slots("Chilled Water", "DUTY", -0.4e6, "BTU/H"));

        plant->connections.push_back({"CW-" + tag, "E-" + tag, 2, "Inlet"});
        plant->connections.push_back({"ST-" + tag, "R-" + tag, 2, "Inlet"});
        plant->connections.push_back({"FG-" + tag, "F-" + tag, 2, "Fuel"});
        plant->connections.push_back({"CH-" + tag, "X-" + tag, 2, "Inlet"});
        plant->connections.push_back({"CR-" + tag, "X-" + tag, 1, "Outlet"});
        plant->electrical_loads.push_back({ref_id - 8, 55.0 + unit % 7});
    }

    auto& databases = plant->databases;
    databases.get_or_add("OP").get_or_add("Operating Unit Costs").set("Electricity", Value::of_number(0.07, "$/KWH"));
    databases.get_or_add("OP").get_or_add("Operating Unit Costs").set("Fuel", Value::of_number(4.5, "$/MMBTU"));
    databases.get_or_add("STD").get_or_add("Standard Basis Input File").set("Currency Symbol", Value::of_text("$"));
    databases.get_or_add("UTILITY").get_or_add("Process Utilities Information");

    for (const char* utility : {"Cooling Water", "Steam @165PSI", "Chilled Water", "Fuel"})
        plant->cost_rows.push_back({utility, utility, "", {}});
    plant->cost_rows.push_back({"Total Process Utility Cost Per Period", "Total Process Utility Cost Per Period", "", {}});
    return plant;
}

}  // namespace tovex_bench
