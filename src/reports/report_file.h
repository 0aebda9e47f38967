// The report files: opened, written and closed so that every failure of the
// file system is seen where it happens.
#ifndef TOVEX_REPORTS_REPORT_FILE_H
#define TOVEX_REPORTS_REPORT_FILE_H

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace tovex {

enum class open_mode {
    create,  // created, or truncated when it exists
    append,  // must exist; written at its end
};

// One report file in text mode. The file is unbuffered: each write goes to
// the file system at once, so a write that it refuses fails at that write and
// what went before it stays in the file. The file is closed on every path.
class report_file {
public:
    // Opens `name` and positions it at its end; false on any failure.
    bool open(const std::string& name, open_mode mode);
    bool write(std::string_view text);
    // False when the file was not open or closing it reported an error.
    bool close();

    // True for a regular file, the only kind that cut_back() can shorten.
    bool is_regular() const { return regular_; }
    // The length of the file as written so far [bytes]; -1 when unknown.
    std::int64_t end_offset() const;
    // Shortens the file to `length` bytes and goes on writing there; false
    // when it cannot.
    bool cut_back(std::int64_t length);

private:
    struct closer {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, closer> file_;
    bool regular_ = false;
};

// The two files of a report, opened, written and closed in pairs: the first
// before the second.
class report_pair {
public:
    bool open(const std::string& first_name, const std::string& second_name, open_mode mode);
    bool write_both(std::string_view text);
    bool write_first(std::string_view text) { return first_.write(text); }
    bool write_second(std::string_view text) { return second_.write(text); }
    report_file& first() { return first_; }
    report_file& second() { return second_; }
    // Closes both, first then second; false when either close failed.
    bool close();

    // The first writer of a report: creates both files holding the heading
    // texts in order, and closes them. False on any failure.
    bool create_with(const std::string& first_name, const std::string& second_name,
                     std::initializer_list<std::string_view> heading);
    // A writer that follows the heading: opens both files at their end and
    // ends the heading's last line with an empty line after it (also when no
    // line of the writer follows). False on any failure.
    bool open_after_heading(const std::string& first_name, const std::string& second_name);

private:
    report_file first_;
    report_file second_;
};

}  // namespace tovex

#endif
