#include "reports/report_file.h"

namespace tovex {

bool report_file::open(const std::string& name, open_mode mode)
{
    // "r+" rather than "a": an appending writer must not create a file that
    // the first writer of the report did not leave behind.
    file_.reset(std::fopen(name.c_str(), mode == open_mode::create ? "w" : "r+"));
    if (!file_) return false;
    if (std::fseek(file_.get(), 0, SEEK_END) != 0) {
        file_.reset();
        return false;
    }
    return true;
}

bool report_file::write(std::string_view text)
{
    if (!file_) return false;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size())
        return false;
    return std::fflush(file_.get()) == 0;
}

bool report_file::close()
{
    if (!file_) return false;
    return std::fclose(file_.release()) == 0;
}

bool report_pair::open(const std::string& first_name, const std::string& second_name, open_mode mode)
{
    return first_.open(first_name, mode) && second_.open(second_name, mode);
}

bool report_pair::write_both(std::string_view text)
{
    return first_.write(text) && second_.write(text);
}

bool report_pair::close()
{
    const bool first_closed = first_.close();
    const bool second_closed = second_.close();
    return first_closed && second_closed;
}

}  // namespace tovex
