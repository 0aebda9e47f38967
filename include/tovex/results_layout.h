/* tovex: where a run leaves its results in the project.
 *
 * The names below are part of the module's contract: the module writes its
 * results under them, and a host that reads the results back (to show,
 * keep or compare them) finds them by the same names. C++ only.
 */
#ifndef TOVEX_RESULTS_LAYOUT_H
#define TOVEX_RESULTS_LAYOUT_H

#include <cstddef>
#include <string_view>

namespace tovex::layout {

/* Each utility streams configuration entry, after the total cost: the
 * rate the run posted for it (number and rate units) and that rate's cost
 * per hour (a number). */
inline constexpr std::string_view rate_per_hour_slot = "Rate per Hour";
inline constexpr std::string_view entry_cost_per_hour_slot = "Cost per Hour";

/* The cost slot under which the total per period is posted into the
 * caller's lists, and the slot of "UTILITY" / "Process Utilities
 * Information" that keeps it. */
inline constexpr std::string_view total_cost_slot = "Total Process Utility Cost Per Period";

/* The results database of the full run: one usage record per item (two
 * when it also uses electricity), listed as the slots of the registry. */
inline constexpr std::string_view results_database = "UTILRES0";
inline constexpr std::string_view usage_registry = "UTIL_USAGE_LIST_OF_OBJECTS";
inline constexpr std::string_view electricity_record_prefix = "$$ELECTRCOBJECT##";
inline constexpr std::string_view utility_record_prefix = "$$UTILITYOBJECT##";
/* Both prefixes: the item's name follows them. */
inline constexpr std::size_t record_prefix_length = 17;

/* A record's slots: the item's description; per utility, a slot named as
 * the utility holding the amount ("%f", a line feed, the units) and, when
 * a stream brought it, one named as the utility followed by the suffix
 * holding the stream's name; and, for each line of the detailed report,
 * its cost per hour (a number) followed by the utility it is of, each line
 * replacing the one before. */
inline constexpr std::string_view description_slot = "CpItemDescription";
inline constexpr std::string_view stream_slot_suffix = "-STREAM";
inline constexpr std::string_view cost_per_hour_slot = "COST PER HOUR";
inline constexpr std::string_view utility_name_slot = "UTILITY NAME";

/* The units in which the duty balance of a simulator type 4 full run
 * posts its utilities: English only for unit system 0, every other unit
 * system taken as metric (unlike the rate routes, which need exactly 1). */
constexpr std::string_view duty_balance_units(int unit_system)
{
    return unit_system == 0 ? std::string_view("BTU/H") : std::string_view("KJ/H");
}

/* The reports, written into the working directory. */
inline constexpr std::string_view summary_report = "UtilRes.Txt";
inline constexpr std::string_view summary_report_da = "UtilRes_DA.Txt";
inline constexpr std::string_view detailed_report = "UtilRes2.Txt";
inline constexpr std::string_view detailed_report_da = "UtilRes2_DA.Txt";
/* The electrical load summary the reports read, from the same folder. */
inline constexpr std::string_view electrical_load_file = "KVT_ELEC.TMP";

}  // namespace tovex::layout

#endif
