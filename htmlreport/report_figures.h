// The figures the page shows beyond the summary's lines, each from the
// items' usage of the utilities: costs by area and by report group, the
// items that cost most, and how each utility's posted rate reconciles with
// its items' lines.
#ifndef TOVEX_HTMLREPORT_REPORT_FIGURES_H
#define TOVEX_HTMLREPORT_REPORT_FIGURES_H

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "run_results/run_results.h"
#include "run_results/run_journal.h"

namespace tovex_html {

struct GroupCost {
    std::string name;  // an area's reference number, a report group; "" for none
    double cost_per_hour = 0.0;
    int items = 0;
};

// Cost per hour of the items' lines by the area that holds each item (its
// "ArAreaReferenceNumber", else the area object's name), and by the area's
// "ArReportGroupNumber"; largest first. `after` must be indexed.
struct AreaCosts {
    std::vector<GroupCost> by_area, by_group;
};
AreaCosts cost_by_area_and_group(const qxhost::Project& after,
                                 const std::vector<qxhost::run_results::ItemUsage>& usages);

struct ItemCost {
    std::string item;
    std::string description;
    double cost_per_hour = 0.0;
    std::vector<const qxhost::run_results::ItemUsage*> utilities;  // its lines
};
// The `count` items whose lines cost most per hour, most first.
std::vector<ItemCost> costliest_items(const std::vector<qxhost::run_results::ItemUsage>& usages, std::size_t count);

struct Reconciliation {
    std::string utility;
    std::string units;
    std::optional<double> posted;  // the rate of the summary line
    double lines = 0.0;            // the sum of the items' lines in the same units
    int line_count = 0;
    double difference = 0.0;       // posted - lines
    // What explains the difference, and how much of it, in the run's words.
    std::vector<std::pair<std::string, std::optional<double>>> causes;
    bool explained = true;
};
// With the run's journal, each cause it names has its exact amount; the
// utilities `balanced` are those of a duty balance, whose records hold
// each item's running net.
std::vector<Reconciliation> reconcile(const std::vector<qxhost::run_results::UtilityLine>& lines,
                                      const std::vector<qxhost::run_results::ItemUsage>& usages,
                                      const std::optional<qxhost::run_results::RunJournal>& journal,
                                      const std::set<std::string, std::less<>>& balanced);

// The Electricity line's load (the load summary's project total) against
// the sum of the items' electricity lines: an item in no area, or a load
// whose reference id names no equipment item, gets no line. None when the
// run printed no Electricity line.
std::optional<Reconciliation> reconcile_electricity(const qxhost::Project& after,
                                                    const std::vector<qxhost::run_results::UtilityLine>& lines,
                                                    const std::vector<qxhost::run_results::ItemUsage>& usages);

}  // namespace tovex_html

#endif
