// The figures a run's report shows beyond the summary's lines (the page,
// the results workbook), each from the items' usage of the utilities: costs by area and by report group, the
// items that cost most, and how each utility's posted rate reconciles with
// its items' lines.
#ifndef QXHOST_RUN_RESULTS_RESULT_FIGURES_H
#define QXHOST_RUN_RESULTS_RESULT_FIGURES_H

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "run_results/run_results.h"
#include "run_results/run_journal.h"

namespace qxhost::run_results {

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
AreaCosts cost_by_area_and_group(const Project& after,
                                 const std::vector<ItemUsage>& usages);

struct ItemCost {
    std::string item;
    std::string description;
    double cost_per_hour = 0.0;
    std::vector<const ItemUsage*> utilities;  // its lines
};
// The `count` items whose lines cost most per hour, most first.
std::vector<ItemCost> costliest_items(const std::vector<ItemUsage>& usages, std::size_t count);

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
// The utilities a duty balance posted: in a full run of a simulator type 4
// case, those rated in the balance's duty units. Their records hold each
// item's running net, not each stream's amount.
std::set<std::string, std::less<>> balanced_utilities(const Project& after, std::string_view call,
                                                      const std::vector<UtilityLine>& utilities);

std::vector<Reconciliation> reconcile(const std::vector<UtilityLine>& lines,
                                      const std::vector<ItemUsage>& usages,
                                      const std::optional<RunJournal>& journal,
                                      const std::set<std::string, std::less<>>& balanced);

// The Electricity line's load (the load summary's project total) against
// the sum of the items' electricity lines: an item in no area, or a load
// whose reference id names no equipment item, gets no line. None when the
// run printed no Electricity line. `after` must be indexed.
std::optional<Reconciliation> reconcile_electricity(const Project& after,
                                                    const std::vector<UtilityLine>& lines,
                                                    const std::vector<ItemUsage>& usages);

}  // namespace qxhost::run_results

#endif
