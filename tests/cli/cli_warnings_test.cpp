// Unit warnings of a real run on standard error and in the JSON result.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Warnings, UnknownUnitsAreNamedWithWhereTheyWereRead)
{
    // "Steam" is priced per KLBS, a unit the host does not know; the mass
    // flow of the "CW" stream is given in LBX/H, also unknown.
    CommandFolder folder;
    const std::string plant = folder.fixture("unknown-units-plant.json");
    const CommandResult result = folder.run({"run", plant, "--dir", folder.work().string(), "--reduced"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(contains(result.err, "cannot price in \"KLBS/H\" (in Steam / Unit Cost Units)")) << result.err;
    EXPECT_TRUE(contains(result.err, "cannot convert \"LBX/H\" to \"KLB/H\" (in S-2 / TOTAL MASS FLOW)"))
        << result.err;

    const CommandResult json = folder.run({"run", plant, "--dir", folder.work().string(), "--reduced", "--json"});
    const auto document = nlohmann::json::parse(json.out);
    ASSERT_EQ(document.at("warnings").size(), 2u) << json.out;
    EXPECT_EQ(document.at("warnings")[1].at("from_units"), "LBX/H");
    EXPECT_EQ(document.at("warnings")[1].at("to_units"), "KLB/H");
}

}  // namespace
