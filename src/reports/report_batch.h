// The lines of a report pair put out in blocks instead of one write each.
//
// A pass hands over each line's two texts (the main file's and the DA
// file's) with the change to the project that goes with the line. Lines are
// kept until a block is full or the pass ends; then the block is written to
// each file at once and its changes are made. The changes must not alter
// what the pass reads for the lines that follow, as they are made later.
//
// When the file system refuses a block, both files are cut back to where the
// block began and its lines are written and their changes made one at a
// time, as writing each line at once would have done: the pass ends at the
// same line, with the same files and the same project. Only regular files
// can be cut back, so any other file has every line written at once.
#ifndef TOVEX_REPORTS_REPORT_BATCH_H
#define TOVEX_REPORTS_REPORT_BATCH_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reports/report_file.h"

namespace tovex {

// Whether a line's change is made before its texts are written (and so also
// when they cannot be) or only after both are written.
enum class change_timing { before_line, after_line };

template <class Change, class Apply>
class report_batch {
public:
    report_batch(report_pair& files, change_timing timing, Apply apply)
        : files_(files), timing_(timing), apply_(std::move(apply)),
          batched_(files.first().is_regular() && files.second().is_regular())
    {
    }
    report_batch(const report_batch&) = delete;
    report_batch& operator=(const report_batch&) = delete;

    // False when a line could not be written: the pass ends there.
    bool add(std::string_view first_text, std::string_view second_text, Change change)
    {
        if (!batched_) return write_line(first_text, second_text, change);
        first_.append(first_text);
        second_.append(second_text);
        lines_.push_back({first_.size(), second_.size(), std::move(change)});
        return first_.size() + second_.size() < block_bytes || put_out();
    }

    // Writes the lines kept so far and makes their changes; false as add().
    // Called before the pass reads what a change may have altered, and when
    // the pass ends.
    bool put_out()
    {
        if (lines_.empty()) return true;
        const std::int64_t first_start = files_.first().end_offset();
        const std::int64_t second_start = files_.second().end_offset();
        bool written = files_.write_first(first_) && files_.write_second(second_);
        if (written) {
            for (line& kept : lines_) apply_(kept.change);
        } else {
            written = write_one_by_one(first_start, second_start);
        }
        first_.clear();
        second_.clear();
        lines_.clear();
        return written;
    }

private:
    // Large enough that writes cost little, small enough to stay in cache.
    static constexpr std::size_t block_bytes = std::size_t{1} << 18;

    struct line {
        std::size_t first_end;
        std::size_t second_end;
        Change change;
    };

    bool write_line(std::string_view first_text, std::string_view second_text, Change& change)
    {
        if (timing_ == change_timing::before_line) apply_(change);
        if (!files_.write_first(first_text) || !files_.write_second(second_text)) return false;
        if (timing_ == change_timing::after_line) apply_(change);
        return true;
    }

    // Should a file refuse to be cut back as well, the pass ends there with
    // the block in the files and none of its changes made.
    bool write_one_by_one(std::int64_t first_start, std::int64_t second_start)
    {
        if (!files_.first().cut_back(first_start) || !files_.second().cut_back(second_start)) return false;
        std::size_t first_begin = 0;
        std::size_t second_begin = 0;
        for (line& kept : lines_) {
            const std::string_view first_text(first_.data() + first_begin, kept.first_end - first_begin);
            const std::string_view second_text(second_.data() + second_begin, kept.second_end - second_begin);
            if (!write_line(first_text, second_text, kept.change)) return false;
            first_begin = kept.first_end;
            second_begin = kept.second_end;
        }
        return true;
    }

    report_pair& files_;
    change_timing timing_;
    Apply apply_;
    bool batched_;
    std::string first_;
    std::string second_;
    std::vector<line> lines_;
};

}  // namespace tovex

#endif
