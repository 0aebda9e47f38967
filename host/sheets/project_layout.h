// How a project is laid out in sheets: the sheets, their columns, and the
// slots that have columns of their own. The writer and the reader both
// follow it, so that a project written and read back is the same project.
//
// Every object, entry and database object keeps its slots in order. A
// slot with a column of its own is read from that column; the rest, and
// every default, from the "Slots" sheet, after the columns' slots, in row
// order. The writer puts a slot in its column only while that keeps the
// order; the objects, connections, loads and databases likewise go to
// their convenient sheets only when reading them back keeps the order, and
// else to the plain sheets that keep any order.
#ifndef QXHOST_SHEETS_PROJECT_LAYOUT_H
#define QXHOST_SHEETS_PROJECT_LAYOUT_H

#include <array>
#include <string_view>

#include "model/slot_table.h"

namespace qxhost::sheets::layout {

// A slot with a column of its own (two with its units, "NAME [units]").
struct SlotColumn {
    std::string_view slot;
    Value::Kind kind;
    // For units of the host's table, checked on reading: a unit of the kind
    // wanted, for the hint of a misspelt one; empty: not checked.
    std::string_view like = {};
};

inline constexpr std::string_view units_suffix = " [units]";

inline constexpr std::string_view project_sheet = "Project";
inline constexpr std::string_view utilities_sheet = "Utilities";
inline constexpr std::string_view areas_sheet = "Areas";
inline constexpr std::string_view items_sheet = "Items";
inline constexpr std::string_view streams_sheet = "Streams";
inline constexpr std::string_view objects_sheet = "Objects";
inline constexpr std::string_view connections_sheet = "Connections";
inline constexpr std::string_view loads_sheet = "Loads";
inline constexpr std::string_view criteria_sheet = "Criteria";
inline constexpr std::string_view cost_rows_sheet = "Cost rows";
inline constexpr std::string_view slots_sheet = "Slots";

inline constexpr int area_class = 1505;
inline constexpr int item_class = 1705;
inline constexpr std::array<int, 4> stream_classes = {3105, 3305, 3205, 3005};

inline constexpr std::array<SlotColumn, 10> entry_columns = {{
    {"Fluid", Value::Kind::text},
    {"Unit Cost", Value::Kind::number},
    {"Unit Cost Units", Value::Kind::text},
    {"Inlet temperature", Value::Kind::number, "DEG F"},
    {"Exit temperature", Value::Kind::number, "DEG F"},
    {"Temperature units", Value::Kind::text},
    {"Pressure", Value::Kind::number, "PSIA"},
    {"Pressure units", Value::Kind::text},
    {"Energy transfer per unit mass", Value::Kind::number},
    {"Energy units", Value::Kind::text},
}};

inline constexpr std::array<SlotColumn, 2> area_columns = {{
    {"ArAreaReferenceNumber", Value::Kind::text},
    {"ArReportGroupNumber", Value::Kind::text},
}};

inline constexpr std::array<SlotColumn, 1> item_columns = {{
    {"CpItemDescription", Value::Kind::text},
}};

inline constexpr std::array<SlotColumn, 7> stream_columns = {{
    {"DESCRIPTION", Value::Kind::text},
    {"FLUID", Value::Kind::text},
    {"TOTAL MASS FLOW", Value::Kind::number, "LB/H"},
    {"DUTY", Value::Kind::number, "BTU/H"},
    {"Rate", Value::Kind::number, "BTU/H"},
    {"TEMPERATURE", Value::Kind::number, "DEG F"},
    {"PRESSURE", Value::Kind::number, "PSIA"},
}};

// The database slots that the "Project" sheet gives a row of its own, in
// the order the reader makes them.
struct DatabaseField {
    std::string_view field;
    std::string_view database;
    std::string_view object;
    std::string_view slot;  // empty: the object, without slots
    Value::Kind kind;
};
inline constexpr std::array<DatabaseField, 5> database_fields = {{
    {"electricity price", "OP", "Operating Unit Costs", "Electricity", Value::Kind::number},
    {"fuel price", "OP", "Operating Unit Costs", "Fuel", Value::Kind::number},
    {"currency", "STD", "Standard Basis Input File", "Currency Symbol", Value::Kind::text},
    {"operating hours", "INV", "Investment Analysis Parameters", "Operating Hours per Period", Value::Kind::number},
    {"process utilities information", "UTILITY", "Process Utilities Information", "", Value::Kind::text},
}};

}  // namespace qxhost::sheets::layout

#endif
