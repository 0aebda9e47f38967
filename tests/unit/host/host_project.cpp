#include "host_project.h"

namespace host_test {

namespace {

using qxhost::Value;

qxhost::Object object(std::string name, int class_id, std::uint32_t ref_id)
{
    qxhost::Object made;
    made.name = std::move(name);
    made.class_id = class_id;
    made.ref_id = ref_id;
    return made;
}

}  // namespace

std::unique_ptr<qxhost::Project> sample_project()
{
    auto p = std::make_unique<qxhost::Project>();
    p->instance = instance;
    p->name = "ETHYLENE-1";
    p->scenario = "Base Case";
    p->unit_system = 1;
    p->has_sim_case = true;
    p->sim_case_valid = true;
    p->sim_type = 4;
    p->configurations = {2105};

    p->has_utility_streams = true;
    p->utility_streams_valid = true;
    qxhost::Entry& water = p->entries.get_or_add("Cooling Water");
    water.slots.set("Unit Cost", Value::of_number(0.12, "$/KLB"));
    water.defaults.set("Fluid", Value::of_text("Water"));
    water.defaults.set("Unit Cost", Value::of_number(99, "$/KLB"));
    qxhost::Entry& broken = p->entries.get_or_add("Steam");
    broken.slots.set("Unit Cost", Value::of_number(1, "$/KLB"));
    broken.valid = false;

    qxhost::Object exchanger = object("E-101", 1705, 101);
    exchanger.model = "HE FLOAT HEAD";
    exchanger.area = "AREA-100";
    exchanger.slots.set("CpItemDescription", Value::of_text("Overhead condenser"));
    p->objects.push_back(std::move(exchanger));

    qxhost::Object area = object("AREA-100", 1505, 1);
    area.slots.set("ArAreaReferenceNumber", Value::of_text("100"));
    p->objects.push_back(std::move(area));

    qxhost::Object supply = object("CW-101", 3105, 201);
    supply.stream_name = "CW to E-101";
    supply.slots.set("DESCRIPTION", Value::of_text("Cooling Water"));
    supply.slots.set("TOTAL MASS FLOW", Value::of_number(250000, "LB/H"));
    supply.defaults.set("TEMPERATURE", Value::of_number(85, "DEG F"));
    supply.defaults.set("DESCRIPTION", Value::of_text("not seen"));
    p->objects.push_back(std::move(supply));

    qxhost::Object back = object("CW-102", 3105, 202);
    back.slots.set("DESCRIPTION", Value::of_list({"Cooling Water", "return"}));
    p->objects.push_back(std::move(back));

    p->objects.push_back(object("FUEL-1", 3305, 301));

    p->connections = {{"CW-101", "E-101", 2, "Inlet"},
                      {"CW-102", "E-101", 1, "Outlet"},
                      {"CW-101", "", 1, "Feed"}};

    qxhost::Database& op = p->databases.get_or_add("OP");
    op.get_or_add("Operating Unit Costs").set("Electricity", Value::of_number(0.07, "$/KWH"));
    op.get_or_add("Operating Unit Costs").set("Fuel", Value::of_number(4.5, "$/MMBTU"));
    p->databases.get_or_add("UTILITY").get_or_add("Process Utilities Information");
    p->databases.get_or_add("EMPTY");
    return p;
}

}  // namespace host_test
