// Numbers from and to text, blank removal, and the UTF-8 check.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "host/textkit.h"

namespace {

TEST(ConvertToDouble, ReadsTheLeadingNumber)
{
    struct Case {
        const char* text;
        int found;
        double value;
    };
    for (const Case& c : {Case{"12.5\nKLB/H", 1, 12.5}, Case{"  -3e2 units", 1, -300.0}, Case{"\t7", 1, 7.0},
                          Case{"0       ", 1, 0.0}, Case{"+.5", 1, 0.5}, Case{"", 0, 0.0}, Case{"abc", 0, 0.0},
                          Case{"-", 0, 0.0}, Case{"1e", 1, 1.0}}) {
        double value = 42.0;
        EXPECT_EQ(convert_todouble(c.text, &value), c.found) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

// Every text reads as strtod reads it, to the same bits, whichever way it is
// read: plain decimals and what strtod alone takes.
TEST(ConvertToDouble, ReadsWhatStrtodReads)
{
    for (const char* text :
         {"0", "-0", "-0.0e5", "5.", "1.e5", ".5", "-.5", "1e", "1e+", "1E-3x", "2.5e+03\nKW", " \v\f\r12",
          "0.1", "0.30000000000000004", "123456789012345678901234567890", "9007199254740993",
          "2.2250738585072011e-308", "4.9e-324", "2e-324", "1e-400", "1e400", "-1e400", "1.7976931348623157e308",
          "1.7976931348623159e308", "0x1p3", "-0X10", "0x", "+5", "+-5", "-+5", "inf", "-infinity", "nan", "NaN(1)",
          "-", ".", "-.", "..5", "e5", "00012", "1,5", "1 000"}) {
        char* end = nullptr;
        const double expected = std::strtod(text, &end);
        double value = 42.0;
        EXPECT_EQ(convert_todouble(text, &value), end != text ? 1 : 0) << text;
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(value)) << text;
        } else {
            EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
            EXPECT_EQ(value, end != text ? expected : 0.0) << text;
        }
    }
}

TEST(ConvertToDouble, StopsAtTheEndOfAView)
{
    const std::string text = "123456";
    double value = 0;
    ASSERT_EQ(convert_todouble(std::string_view(text).substr(0, 3), &value), 1);
    EXPECT_EQ(value, 123.0);
}

TEST(FloatToString, ShortestFormThatReadsBack)
{
    struct Case {
        double value;
        const char* text;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case& c : {Case{0.0, "0"}, Case{120000.0, "120000"}, Case{99.9, "99.9"}, Case{1e16, "1e+16"},
                          Case{-0.0, "-0"}, Case{inf, "inf"}, Case{-inf, "-inf"}, Case{0.1 + 0.2, "0.30000000000000004"},
                          Case{std::numeric_limits<double>::quiet_NaN(), "nan"}}) {
        std::string text = "junk";
        compiler_float_to_string(c.value, text);
        EXPECT_EQ(text, c.text);
    }
}

TEST(Blanks, RemovesSpacesAndTabsOnly)
{
    std::string text = " \t 1.5\nKW \t";
    text_remove_initial_and_trailing_blanks(text);
    EXPECT_EQ(text, "1.5\nKW");
    text = "\n x \r";
    text_remove_initial_and_trailing_blanks(text);
    EXPECT_EQ(text, "\n x \r");
    text = " \t ";
    text_remove_initial_and_trailing_blanks(text);
    EXPECT_EQ(text, "");
}

}  // namespace
