// The summary and detailed reports read back as the run printed them: the
// lines found by their utility, the fields in their places, and each
// detailed line given to its own record, also where item names share the
// report's Item column.
#include <gtest/gtest.h>

#include "run_results/detailed_lines.h"
#include "run_results/summary_lines.h"

namespace {

using qxhost::run_results::DetailedLines;
using qxhost::run_results::summary_line;

constexpr std::string_view summary =
    "\n\n\n\"Utility Information\"\n\n\n"
    "\"Description\",\"Fluid\",\"Rate\",\"Units\",\"Rate Units\",\"Cost per Hour\",\"Cost Units\"\n\n"
    "\"Electricity\",\"\",9730.500000,\"KW\",\"KW\",\"681.135000\",$/H\n"
    "\"Cooling Water\",\"Water\",82.115430,\"KGAL\",\"KGAL/H\",\"6.979812\",$/H\n"
    "\"Fuel\",\"\",1.000000,\"MMBTU\",\"MMBTU/H\",\"2.000000\",EUR/H\n"
    "\"Fuel\",\"\",85.550000,\"U\",\"MMBTU/H\",\"384.975000\",/H\n"
    "\"Broken\",\"\",1.000000\n";

TEST(SummaryLines, AreFoundByNameAndFluidAndReadFieldByField)
{
    const auto electricity = summary_line(summary, "Electricity", "");
    ASSERT_TRUE(electricity);
    EXPECT_EQ(electricity->rate_text, "9730.500000");
    EXPECT_EQ(electricity->priced_unit, "KW");
    EXPECT_EQ(electricity->rate_units, "KW");
    EXPECT_EQ(electricity->cost_per_hour, 681.135);

    const auto water = summary_line(summary, "Cooling Water", "Water");
    ASSERT_TRUE(water);
    EXPECT_EQ(water->priced_unit, "KGAL");
    EXPECT_FALSE(summary_line(summary, "Cooling Water", "Steam"));  // the fluid is part of the match

    // The Fuel line is the summary's last: an entry named Fuel comes first.
    EXPECT_EQ(summary_line(summary, "Fuel", "", true)->cost_per_hour, 384.975);
    EXPECT_EQ(summary_line(summary, "Fuel", "")->cost_per_hour, 2.0);

    EXPECT_FALSE(summary_line(summary, "Broken", ""));  // cut short
    EXPECT_FALSE(summary_line(summary, "Steam", ""));
    EXPECT_FALSE(summary_line("", "Electricity", ""));
}

std::string detailed_line(const char* utility, const char* item, const char* rate, const char* cost)
{
    return std::string("\"") + utility + "\",\"Water\",\"" + item + "\",\"A, \"quoted\" text\"," + rate +
           ",\"KGAL\",\"KGAL/H\", " + cost + ", 60.000000,\"PSIG\", ,\"\", ,\"\",  ,\"\",\"S\",\"100\",\"1\",,\"\",,\"\"\n";
}

TEST(DetailedLines, GiveEachRecordItsOwnLine)
{
    // Two items whose names agree in their first 14 characters, each with
    // a line, and a third without one (its utility unpriced, say).
    const std::string report = "\"Description\",\"Fluid\",\"Item\"\n\n" +
                               detailed_line("Cooling Water", "EXCHANGER-1000", "1.500000", "3.000000") +
                               detailed_line("Cooling Water", "EXCHANGER-1000", "2.000000", "4.000000") +
                               detailed_line("Steam", "E-1", "5.000000", "50.000000");
    DetailedLines lines(report);
    EXPECT_EQ(lines.take("Cooling Water", "EXCHANGER-1000-A", 1.5), 3.0);
    // A record whose amount matches no waiting line has none, and the next
    // record still finds its own.
    EXPECT_FALSE(lines.take("Cooling Water", "EXCHANGER-1000-B", 9.0));
    EXPECT_EQ(lines.take("Cooling Water", "EXCHANGER-1000-C", 2.0), 4.0);
    EXPECT_FALSE(lines.take("Cooling Water", "EXCHANGER-1000-D", 2.0));  // each line is taken once
    EXPECT_EQ(lines.take("Steam", "E-1", 5.0), 50.0);
    EXPECT_FALSE(lines.take("Steam", "E-2", 5.0));
    EXPECT_FALSE(DetailedLines("").take("Steam", "E-1", 5.0));
}

}  // namespace
