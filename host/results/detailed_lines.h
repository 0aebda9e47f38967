// The cost of each item's line in the detailed report (UtilRes2.Txt), read
// back from the report: the run prints every line's cost there, but keeps
// only the last line's on each usage record.
#ifndef QXHOST_RESULTS_DETAILED_LINES_H
#define QXHOST_RESULTS_DETAILED_LINES_H

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qxhost::results {

class DetailedLines {
public:
    // `report`: the text of the UtilRes2.Txt the run wrote; empty when it
    // wrote none.
    explicit DetailedLines(std::string_view report);

    // The cost of the next line of `utility` for `item` whose rate was
    // printed as `rate_text`, taken so that the next call finds the line
    // after it; none when the report has no such line. A line names only
    // the first characters of its item, and the lines of one utility and
    // item name prefix come in the order of the usage registry, so calls in
    // that order find each record's own line.
    std::optional<double> take(std::string_view utility, std::string_view item, std::string_view rate_text);

private:
    struct Line {
        std::string rate_text;
        std::optional<double> cost_per_hour;
    };
    struct Queue {
        std::vector<Line> lines;
        std::size_t next = 0;
    };
    // By utility and the item column.
    std::unordered_map<std::string, Queue> lines_;
};

}  // namespace qxhost::results

#endif
