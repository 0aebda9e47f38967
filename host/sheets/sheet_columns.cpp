#include "sheet_columns.h"

#include <string>

#include "host/unitkit.h"
#include "project_layout.h"

namespace qxhost::sheets {

namespace {

using layout::SlotColumn;

// The units a drop-down list offers, the ones plants use most; any other
// unit of the host's table may still be typed (docs/units.md).
constexpr const char* common_units[] = {
    "LB/H", "KLB/H", "KG/H", "KG/S", "T/H", "M3/H", "GPM", "KCFH", "MMGAL/H", "BTU/H", "MMBTU/H", "KJ/H", "GJ/H",
    "KW", "MW", "DEG F", "DEG C", "K", "PSIA", "PSIG", "BARA", "BARG", "KPA", "BTU/LB", "KJ/KG", "PCF"};

// Those of the dimension of `like`.
std::vector<std::string> units_like(std::string_view like)
{
    std::vector<std::string> units;
    for (const char* code : common_units)
        if (units_converted(code, like, 1.0)) units.emplace_back(code);
    return units;
}

// A slot's column, and for a number its units' column after it.
template <std::size_t N>
void add_slot_columns(std::vector<Column>& columns, const std::array<SlotColumn, N>& slots)
{
    for (const SlotColumn& slot : slots) {
        const bool number = slot.kind == Value::Kind::number;
        columns.push_back({std::string(slot.slot),
                           std::string("the slot \"") + std::string(slot.slot) + "\"" + (number ? ", a number" : ", a text"),
                           {}});
        if (number) {
            columns.push_back({std::string(slot.slot) + std::string(layout::units_suffix),
                               "its units" + std::string(slot.like.empty() ? "" : ", a unit code (docs/units.md)"),
                               slot.like.empty() ? std::vector<std::string>{} : units_like(slot.like)});
        }
    }
}

}  // namespace

std::vector<Sheet> project_sheets()
{
    using namespace layout;
    std::vector<Sheet> sheets;
    sheets.push_back({std::string(project_sheet),
                      {{"Field", "what the row gives (one of the fixed fields)", {}},
                       {"Value", "its value", {}},
                       {"Units", "its units, for a price, the hours or a load", {}}},
                      {}});

    Sheet utilities{std::string(utilities_sheet),
                    {{"Name", "the utility, as streams name it in Utility (letter case counts)", {}},
                     {"Valid", "blank: valid; \"no\": the entry reports not valid", {"", "no"}}},
                    {}};
    add_slot_columns(utilities.columns, entry_columns);
    sheets.push_back(std::move(utilities));

    Sheet areas{std::string(areas_sheet),
                {{"Name", "the area object's name, as items give it in Area", {}},
                 {"Ref ID", "its reference id, a whole number (may be blank)", {}}},
                {}};
    add_slot_columns(areas.columns, area_columns);
    sheets.push_back(std::move(areas));

    Sheet items{std::string(items_sheet),
                {{"Tag", "the equipment item's name (class 1705)", {}},
                 {"Ref ID", "its reference id: the electrical load is found by it", {}},
                 {"Model", "its model text", {}},
                 {"Area", "the area it lies in (a name of the Areas sheet)", {}}},
                {}};
    add_slot_columns(items.columns, item_columns);
    items.columns.push_back({"Electrical load [kW]", "its electrical load in kW (blank: none)", {}});
    sheets.push_back(std::move(items));

    Sheet streams{std::string(streams_sheet),
                  {{"Tag", "the stream's name", {}},
                   {"Class", "3105: counted when joined to an item; 3305: also when joined to none; 3205, 3005: "
                             "from the simulation (docs/modeling.md)",
                    {"3105", "3305", "3205", "3005"}},
                   {"Ref ID", "its reference id (may be blank)", {}},
                   {"Stream name", "the name the reports print (blank: the tag)", {}}},
                  {}};
    add_slot_columns(streams.columns, stream_columns);
    streams.columns[stream_utility_column].note =
        "the utility it carries (DESCRIPTION): a Utilities name, Fuel, Instrument Air or Potable Water";
    streams.columns[stream_utility_column].choices = {"Fuel", "Instrument Air", "Potable Water"};
    for (const auto& [name, note] : {std::pair{"From item", "the item it comes from (direction 1: credited)"},
                                     std::pair{"From connector", "the connector there, e.g. Outlet"},
                                     std::pair{"To item", "the item it flows to (direction 2: charged)"},
                                     std::pair{"To connector", "the connector there, e.g. Inlet"}})
        streams.columns.push_back({name, note, {}});
    sheets.push_back(std::move(streams));

    sheets.push_back({std::string(objects_sheet),
                      {{"Name", "an object of any other class, or every object when the project keeps them in "
                                "another order",
                        {}},
                       {"Class", "its class id", {}},
                       {"Ref ID", "its reference id", {}},
                       {"Stream name", "a stream's printed name (blank: its name)", {}},
                       {"Model", "an item's model", {}},
                       {"Area", "an item's area", {}},
                       {"Empty stream name", "yes: its stream name is given, and empty", {"", "yes"}}},
                      {}});
    sheets.push_back({std::string(connections_sheet),
                      {{"Stream", "a connection the Streams sheet cannot give: the stream", {}},
                       {"Item", "the item (blank: nothing joined)", {}},
                       {"Direction", "1: the stream comes from the item; 2: it flows to it", {"1", "2"}},
                       {"Connector", "the connector's name", {}}},
                      {}});
    sheets.push_back({std::string(loads_sheet),
                      {{"Ref ID", "an electrical load the Items sheet cannot give: the item's reference id", {}},
                       {"kW", "the load in kW", {}}},
                      {}});
    sheets.push_back({std::string(criteria_sheet),
                      {{"Group", "a design criteria group, e.g. Heat Exchangers", {}},
                       {"Criterion", "the criterion, e.g. Fuel heating value", {}},
                       {"Value", "a number", {}},
                       {"Units", "its units, e.g. BTU/LB", {}}},
                      {}});
    sheets.push_back({std::string(cost_rows_sheet),
                      {{"Name", "a row of the caller's lists: the utility (leave the sheet empty to have the rows "
                                "made)",
                        {}},
                       {"Cost slot", "the cost slot it is booked under", {}},
                       {"Value", "its value text", {}},
                       {"Number", "the number the host was handed with it (blank: none)", {}}},
                      {}});
    sheets.push_back({std::string(slots_sheet),
                      {{"Of", "what the slot belongs to", {"object", "entry", "database"}},
                       {"Name", "the object's or entry's name, or \"DATABASE / object\"", {}},
                       {"Slot", "the slot's name (blank: the owner exists without slots)", {}},
                       {"Form", "text, number or list (a JSON array of texts)", {"text", "number", "list"}},
                       {"Value", "the value", {}},
                       {"Units", "a number's units", {}},
                       {"Default", "yes: a default, read only when the owner lacks the slot", {"", "yes"}}},
                      {}});
    return sheets;
}

}  // namespace qxhost::sheets
