// A project file that uses every section and every form of slot value.
#ifndef TOVEX_TESTS_PROJFILE_EXAMPLE_PROJECT_H
#define TOVEX_TESTS_PROJFILE_EXAMPLE_PROJECT_H

namespace projfile_test {

inline constexpr const char* example_project = R"({
  "format": "tovex-project/1",
  "project": {"instance": 7, "name": "ETHYLENE-1", "scenario": "Base Case", "unit_system": 1},
  "simulation_case": {"sim_type": 4},
  "configurations": [2105, 2005],
  "design_criteria": {"Heat Exchangers": {"Fuel heating value": {"value": 20500, "units": "BTU/LB"},
                                          "Approach": 10}},
  "utility_streams": {
    "entries": [
      {"name": "Cooling Water",
       "slots": {"Fluid": "Water", "Unit Cost": {"value": 0.12, "units": "$/KLB"},
                 "Unit Cost Units": "$/KLB",
                 "Inlet temperature": {"value": 85, "units": "DEG F"}},
       "defaults": {"Pressure": {"value": 60, "units": "PSIG"}}},
      {"name": "Steam", "slots": {}, "valid": false}
    ]
  },
  "objects": [
    {"name": "E-101", "class": 1705, "ref_id": 101, "model": "HE FLOAT HEAD",
     "area": "AREA-100", "slots": {"CpItemDescription": "Overhead condenser"}},
    {"name": "AREA-100", "class": 1505, "ref_id": 1,
     "slots": {"ArAreaReferenceNumber": "100", "ArReportGroupNumber": "1"}},
    {"name": "CW-101", "class": 3105, "ref_id": 201, "stream_name": "CW to E-101",
     "slots": {"DESCRIPTION": ["Cooling Water", "second"],
               "TOTAL MASS FLOW": {"value": 250000, "units": "LB/H"},
               "RATIO": 0.1, "HIGH": {"value": "inf", "units": "KW"}, "LOW": {"value": "-inf"},
               "UNKNOWN": {"value": "nan"}, "PLAIN": {"value": 3.5, "units": ""}},
     "defaults": {"TEMPERATURE": {"value": 85, "units": "DEG F"}}}
  ],
  "connections": [
    {"stream": "CW-101", "item": "E-101", "direction": 2, "connector": "Inlet"},
    {"stream": "CW-101", "item": "", "direction": 1, "connector": "Outlet"}
  ],
  "databases": {
    "OP": {"Operating Unit Costs": {"Electricity": {"value": 0.07, "units": "$/KWH"},
                                    "Fuel": {"value": 4.5, "units": "$/MMBTU"}}},
    "INV": {"Investment Analysis Parameters": {"Operating Hours per Period": 8000}},
    "UTILITY": {}
  },
  "cost_rows": [
    {"name": "Cooling Water", "cost_slot": "Cooling Water", "value": ""},
    {"name": "Total Process Utility Cost Per Period",
     "cost_slot": "Total Process Utility Cost Per Period", "value": "12\nUSD", "number": 18446744073709551615}
  ],
  "electrical_loads": {"total_kw": 310.5, "items": [{"ref_id": 101, "kw": 310.5}]}
}
)";

}  // namespace projfile_test

#endif
