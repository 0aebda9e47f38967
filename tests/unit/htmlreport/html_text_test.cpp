// The page's texts: numbers grouped and signed as a reader expects, bytes
// that are not UTF-8 never reaching the page, credits drawn left of zero.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "htmlreport/bar_chart.h"
#include "htmlreport/html_text.h"

namespace {

using tovex_html::grouped;

TEST(HtmlText, NumbersAreGroupedAndSignedOnlyWhenTheyShowSo)
{
    EXPECT_EQ(grouped(1776844.8716, 2), "1,776,844.87");
    EXPECT_EQ(grouped(-81.25, 2), "-81.25");
    EXPECT_EQ(grouped(999.996, 2), "1,000.00");
    EXPECT_EQ(grouped(-0.004, 2), "0.00");
    EXPECT_EQ(grouped(-1234567.0, 0), "-1,234,567");
    EXPECT_EQ(grouped(std::nullopt, 2), "-");
    EXPECT_EQ(grouped(std::numeric_limits<double>::quiet_NaN(), 2), "n/a");
    EXPECT_EQ(grouped(-std::numeric_limits<double>::infinity(), 2), "n/a");
}

TEST(HtmlText, EscapingKeepsTheTextAndTheUtf8)
{
    EXPECT_EQ(tovex_html::escaped("<a href='x'>\"&\"</a>"), "&lt;a href=&#39;x&#39;&gt;&quot;&amp;&quot;&lt;/a&gt;");
    EXPECT_EQ(tovex_html::escaped("\xC2\xB0" "C"), "\xC2\xB0" "C");
    // A lone continuation byte, an overlong '<', a surrogate, a cut sequence.
    EXPECT_EQ(tovex_html::escaped("a\x80" "b\xC0\xBC" "c\xED\xA0\x80" "d\xE2\x82"),
              "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "d\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(BarChart, CreditsAreDrawnLeftOfZero)
{
    const std::string svg = tovex_html::bar_chart({{"Steam", 100.0, false}, {"<Credit>", -50.0, true}}, "t");
    // The zero line, and the credit's bar ending there.
    const std::size_t zero_at = svg.find("class=\"zero\"");
    ASSERT_NE(zero_at, std::string::npos);
    const std::string line = svg.substr(svg.rfind("<line x1=\"", zero_at) + 10);
    const double zero = std::stod(line);
    const std::size_t credit = svg.find("class=\"credit muted\"");
    ASSERT_NE(credit, std::string::npos);
    const std::string rect = svg.substr(svg.rfind("<rect x=\"", credit) + 9);
    const double x = std::stod(rect);
    const double width = std::stod(rect.substr(rect.find("width=\"") + 7));
    EXPECT_LT(x, zero);
    EXPECT_NEAR(x + width, zero, 0.1);
    EXPECT_NE(svg.find("&lt;Credit&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<Credit>"), std::string::npos);
}

}  // namespace
