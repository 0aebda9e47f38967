// The lines of the summary report (UtilRes.Txt) read back: for the two
// utilities that no entry keeps, Electricity and Fuel, the report is the
// only place where the run left their cost, and for every utility it is
// where the run printed the unit its price is quoted per.
#ifndef QXHOST_RUN_RESULTS_SUMMARY_LINES_H
#define QXHOST_RUN_RESULTS_SUMMARY_LINES_H

#include <optional>
#include <string>
#include <string_view>

namespace qxhost::run_results {

// A line's fields after its Description and Fluid.
struct SummaryFields {
    std::string rate_text;
    std::string priced_unit;
    std::string rate_units;
    std::optional<double> cost_per_hour;
};

// The first line of `summary` that begins with the quoted `name` and
// `fluid` (as "\"Fuel\",\"\","), or with `last`, the last such line; none
// when there is none or it does not have the line's form.
std::optional<SummaryFields> summary_line(std::string_view summary, std::string_view name, std::string_view fluid,
                                          bool last = false);

}  // namespace qxhost::run_results

#endif
