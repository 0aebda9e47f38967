// The cost of each item's line in the detailed report (UtilRes2.Txt), read
// back from the report: the run prints every line's cost there, but keeps
// only the last line's on each usage record.
#ifndef QXHOST_RUN_RESULTS_DETAILED_LINES_H
#define QXHOST_RUN_RESULTS_DETAILED_LINES_H

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qxhost::run_results {

class DetailedLines {
public:
    // `report`: the text of the UtilRes2.Txt the run wrote (empty when it
    // wrote none), which must outlive this.
    explicit DetailedLines(std::string_view report);

    // The cost of the next line of `utility` for `item` whose rate reads as
    // `rate` (the line prints the record's amount as the record holds it),
    // taken so that the next call finds the line after it; none when the
    // report has no such line. A line names only
    // the first characters of its item, and the lines of one utility and
    // item name prefix come in the order of the usage registry, so calls in
    // that order find each record's own line.
    std::optional<double> take(std::string_view utility, std::string_view item, double rate);

private:
    struct Line {
        std::optional<double> rate;
        std::optional<double> cost_per_hour;
    };
    struct Queue {
        std::vector<Line> lines;
        std::size_t next = 0;
    };
    // The utility and the item column, as the report has them.
    struct Key {
        std::string_view utility, item;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const
        {
            const std::hash<std::string_view> hash;
            return hash(key.utility) * 0x9E3779B97F4A7C15ULL ^ hash(key.item);
        }
    };
    std::unordered_map<Key, Queue, KeyHash> lines_;
};

}  // namespace qxhost::run_results

#endif
