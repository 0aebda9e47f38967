// Lines put out in blocks: whatever the file system refuses, the files and
// the changes made end as if every line had been written at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_helpers.h"
#include "reports/report_batch.h"

namespace {

using reports_test::file_size_limit;
using tovex::change_timing;

struct note_change {
    std::vector<int>* made;
    void operator()(const int& change) const { made->push_back(change); }
};

using batch = tovex::report_batch<int, note_change>;

// Line `i` of a file: `length` bytes, ending in a line feed, and different
// for each file so that a line cannot land in the wrong one.
std::string line_text(char file, int i, std::size_t length)
{
    std::string text = std::string(1, file) + std::to_string(i) + ' ';
    text.resize(length - 1, file);
    return text + '\n';
}

std::string lines_text(char file, int count, std::size_t length)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += line_text(file, i, length);
    return text;
}

std::vector<int> first_changes(int count)
{
    std::vector<int> changes;
    for (int i = 0; i < count; ++i) changes.push_back(i);
    return changes;
}

// Adds the lines until one cannot be written, then puts out the rest; false
// when a line could not be written.
bool write_lines(batch& lines, int count, std::size_t length)
{
    for (int i = 0; i < count; ++i)
        if (!lines.add(line_text('a', i, length), line_text('b', i, length), i)) return false;
    return lines.put_out();
}

class ReportBatch : public ::testing::Test {
protected:
    bool open(const std::string& first_start = "", const std::string& second_start = "")
    {
        dir.write("first.txt", first_start);
        dir.write("second.txt", second_start);
        return files.open("first.txt", "second.txt", tovex::open_mode::append);
    }

    tovex_test::ScratchDir dir;
    tovex::report_pair files;
    std::vector<int> made;
};

TEST_F(ReportBatch, EveryLineReachesItsFileAndEveryChangeIsMadeInOrder)
{
    // Over a megabyte per file: several blocks.
    constexpr int count = 6000;
    constexpr std::size_t length = 200;
    ASSERT_TRUE(open("head\n"));
    batch lines(files, change_timing::after_line, note_change{&made});
    ASSERT_TRUE(write_lines(lines, count, length));
    ASSERT_TRUE(files.close());
    EXPECT_EQ(dir.read("first.txt"), "head\n" + lines_text('a', count, length));
    EXPECT_EQ(dir.read("second.txt"), lines_text('b', count, length));
    EXPECT_EQ(made, first_changes(count));
}

TEST_F(ReportBatch, AChangeWaitsUntilItsLineIsWritten)
{
    ASSERT_TRUE(open());
    batch lines(files, change_timing::before_line, note_change{&made});
    ASSERT_TRUE(lines.add("a\n", "b\n", 1));
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(dir.read("first.txt"), "");
    ASSERT_TRUE(lines.put_out());
    EXPECT_EQ(made, std::vector<int>{1});
    EXPECT_EQ(dir.read("first.txt"), "a\n");
    EXPECT_EQ(dir.read("second.txt"), "b\n");
}

struct refusal {
    const char* name;
    bool second_refuses;  // else the first file does
    change_timing timing;
};

void PrintTo(const refusal& case_, std::ostream* out) { *out << case_.name; }

class RefusedBlock : public ReportBatch, public ::testing::WithParamInterface<refusal> {};

// One file is already long, so that it alone reaches the size limit, at a
// line in the middle of a block after the first: that file ends with part of
// the line, the other file has the line only when it was written first, and
// the line's change is made only when it comes before the line.
TEST_P(RefusedBlock, EndsWhereWritingEachLineAtOnceEnds)
{
    constexpr int count = 3000;
    constexpr std::size_t length = 200;
    constexpr int refused = 2000;
    constexpr std::size_t part = 50;
    const std::string head(1000, 'h');
    const bool second = GetParam().second_refuses;
    ASSERT_TRUE(second ? open("", head) : open(head, ""));
    batch lines(files, GetParam().timing, note_change{&made});
    bool written = true;
    {
        const file_size_limit limit(head.size() + refused * length + part);
        written = write_lines(lines, count, length);
    }
    EXPECT_FALSE(written);
    files.close();

    const std::string refusing = lines_text(second ? 'b' : 'a', refused, length) +
                                 line_text(second ? 'b' : 'a', refused, length).substr(0, part);
    const std::string other = lines_text(second ? 'a' : 'b', second ? refused + 1 : refused, length);
    EXPECT_EQ(dir.read("first.txt"), second ? other : head + refusing);
    EXPECT_EQ(dir.read("second.txt"), second ? head + refusing : other);
    const bool refused_line_changed = GetParam().timing == change_timing::before_line;
    EXPECT_EQ(made, first_changes(refused_line_changed ? refused + 1 : refused));
}

INSTANTIATE_TEST_SUITE_P(, RefusedBlock,
                         ::testing::Values(refusal{"FirstBeforeLine", false, change_timing::before_line},
                                           refusal{"FirstAfterLine", false, change_timing::after_line},
                                           refusal{"SecondBeforeLine", true, change_timing::before_line},
                                           refusal{"SecondAfterLine", true, change_timing::after_line}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportBatch, AFileThatIsNoRegularFileHasEachLineWrittenAtOnce)
{
    dir.write("first.txt", "");
    reports_test::link_to_full_device("second.txt");
    ASSERT_TRUE(files.open("first.txt", "second.txt", tovex::open_mode::append));
    batch lines(files, change_timing::before_line, note_change{&made});
    EXPECT_FALSE(lines.add("a\n", "b\n", 1));
    files.close();
    EXPECT_EQ(dir.read("first.txt"), "a\n");
    EXPECT_EQ(made, std::vector<int>{1});
}

}  // namespace
