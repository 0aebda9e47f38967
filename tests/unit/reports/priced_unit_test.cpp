// The two ways the reports cut the priced unit out of a unit cost units text.
#include <gtest/gtest.h>

#include "reports/priced_unit.h"

namespace {

struct priced_case {
    const char* cost_units;
    const char* summary;
    const char* detail;
};

// The summary's walk never looks at the last character, so a text without a
// '/' before it keeps only that character; the detailed report takes the text
// after the first '/' or the whole text.
const priced_case cases[] = {
    {"$/MMBTU", "MMBTU", "MMBTU"},
    {"  $/MMBTU  ", "MMBTU", "MMBTU"},
    {" $ / KLB ", "KLB", " KLB"},
    {"$/ MMBTU", "MMBTU", " MMBTU"},
    {"MMBTU", "U", "MMBTU"},
    {"$/", "/", ""},
    {"/", "/", ""},
    {"", "", ""},
    {"$/KGAL/H", "KGAL/H", "KGAL/H"},
    {"EUR/T", "T", "T"},
    {"\t$/KWH\t", "KWH", "KWH"},
};

TEST(PricedUnit, SummaryAndDetailCutTheirOwnWay)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("cost units \"") + c.cost_units + "\"");
        EXPECT_EQ(tovex::summary_priced_unit(c.cost_units), c.summary);
        EXPECT_EQ(tovex::detail_priced_unit(c.cost_units), c.detail);
    }
}

}  // namespace
