#include "reports/report_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tovex {

bool report_file::open(const std::string& name, open_mode mode)
{
    // "r+" rather than "a": an appending writer must not create a file that
    // the first writer of the report did not leave behind.
    file_.reset(std::fopen(name.c_str(), mode == open_mode::create ? "w" : "r+"));
    if (!file_) return false;
    if (std::setvbuf(file_.get(), nullptr, _IONBF, 0) != 0 || std::fseek(file_.get(), 0, SEEK_END) != 0) {
        file_.reset();
        return false;
    }
    // Asked of the open file, not of its name, which may since name another.
    struct stat status {};
    regular_ = ::fstat(::fileno(file_.get()), &status) == 0 && S_ISREG(status.st_mode);
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

std::int64_t report_file::end_offset() const
{
    if (!file_) return -1;
    return std::ftell(file_.get());
}

bool report_file::cut_back(std::int64_t length)
{
    if (!file_ || !regular_ || length < 0) return false;
    // Through the descriptor: the file written is the one shortened, even if
    // its name was moved or replaced meanwhile.
    if (::ftruncate(::fileno(file_.get()), static_cast<off_t>(length)) != 0) return false;
    std::clearerr(file_.get());
    return std::fseek(file_.get(), static_cast<long>(length), SEEK_SET) == 0;
}

bool report_pair::open(const std::string& first_name, const std::string& second_name, open_mode mode)
{
    return first_.open(first_name, mode) && second_.open(second_name, mode);
}

bool report_pair::write_both(std::string_view text)
{
    return first_.write(text) && second_.write(text);
}

bool report_pair::create_with(const std::string& first_name, const std::string& second_name,
                              std::initializer_list<std::string_view> heading)
{
    if (!open(first_name, second_name, open_mode::create)) return false;
    for (const std::string_view text : heading)
        if (!write_both(text)) return false;
    return close();
}

bool report_pair::open_after_heading(const std::string& first_name, const std::string& second_name)
{
    return open(first_name, second_name, open_mode::append) && write_both("\n\n");
}

bool report_pair::close()
{
    const bool first_closed = first_.close();
    const bool second_closed = second_.close();
    return first_closed && second_closed;
}

}  // namespace tovex
