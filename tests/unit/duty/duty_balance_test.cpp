// The duty balance pass over projects loaded from project files: partners,
// directions, what is recorded in UTILRES0 and what is posted.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "host/objstore.h"
#include "host/projmodel.h"
#include "rates/duty_balance.h"
#include "support/support.h"

namespace {

// A class 3005 stream whose duty is in `units`; `duty_slot` names its slot.
std::string stream(std::string_view name, std::string_view utility, double duty,
                   std::string_view units = "BTU/H", std::string_view duty_slot = "DUTY")
{
    return "{\"name\": \"" + std::string(name) + "\", \"class\": 3005, \"stream_name\": \"" +
           std::string(name) + " line\", \"slots\": {\"DESCRIPTION\": \"" + std::string(utility) +
           "\", \"" + std::string(duty_slot) + "\": {\"value\": " + std::to_string(duty) +
           ", \"units\": \"" + std::string(units) + "\"}}}";
}

std::string item(std::string_view name)
{
    return "{\"name\": \"" + std::string(name) + "\", \"class\": 1705, \"slots\": {\"CpItemDescription\": \"" +
           std::string(name) + " service\"}}";
}

std::string joint(std::string_view stream_name, std::string_view item_name, int direction,
                  std::string_view connector)
{
    return "{\"stream\": \"" + std::string(stream_name) + "\", \"item\": \"" + std::string(item_name) +
           "\", \"direction\": " + std::to_string(direction) + ", \"connector\": \"" +
           std::string(connector) + "\"}";
}

std::string joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

// "Steam" is free, so an unconnected steam stream still counts; "Cooling
// Water" is priced.
constexpr std::string_view default_entries = R"(
    {"name": "Steam", "slots": {"Unit Cost": {"value": 0, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}},
    {"name": "Cooling Water", "slots": {"Unit Cost": {"value": 0.12, "units": "$/KLB"},
                                        "Unit Cost Units": "$/KLB"}})";

constexpr std::string_view default_rows = R"(
    {"name": "Steam", "cost_slot": "Steam", "value": ""},
    {"name": "Cooling Water", "cost_slot": "Cooling Water", "value": ""},
    {"name": "Fuel", "cost_slot": "Fuel", "value": ""})";

void load(const std::string& objects, const std::string& connections, int unit_system = 0,
          std::string_view entries = default_entries, std::string_view rows = default_rows)
{
    tovex_test::load_project(R"({"project": {"instance": 7, "name": "P-1", "scenario": "Base", "unit_system": )" +
                             std::to_string(unit_system) + R"(},
        "simulation_case": {"sim_type": 4},
        "utility_streams": {"entries": [)" + std::string(entries) + R"(]},
        "objects": [)" + objects + R"(],
        "connections": [)" + connections + R"(],
        "cost_rows": [)" + std::string(rows) + "]}");
}

int balance(tovex_test::CallerLists& lists, std::uint32_t class_id = 3005)
{
    CqxProject project(7, "P-1", "Base", 0, nullptr, nullptr, 0);
    CqxSimCase sim_case(7, nullptr, "P-1", "Base", 0, 4);
    CqxProjectStreamsConfig config(&project, 2005, 0);
    return tovex::balance_utility_duties(&project, &sim_case, &config, class_id, lists.names(),
                                         lists.cost_slots(), lists.values());
}

// A slot of the item's usage record, or "<none>" when there is no such record
// or slot.
std::string record_slot(std::string_view item_name, std::string_view slot)
{
    CqxGenericObject record(0, "UTILRES0", "$$UTILITYOBJECT##" + std::string(item_name), 0, nullptr, 0);
    std::string text;
    if (record.IsValid() == 0 || record.Exists() == 0 || record.GetValue(slot, text) == 0) return "<none>";
    return text;
}

// The names of the records listed in the usage registry, one per line.
std::string registered_records()
{
    CqxGenericObject registry(0, "UTILRES0", "UTIL_USAGE_LIST_OF_OBJECTS", 0, nullptr, 0);
    CStrList names;
    if (registry.IsValid() == 0 || registry.Exists() == 0) return "";
    registry.GetSlots(names, 0, 0);
    std::string text;
    for (int index = 0; index < names.GetLength(); ++index) text += std::string(names.GetTextAt(index)) + "\n";
    return text;
}

TEST(DutyBalance, WorkedExamplePostsTheMixLessTheDirectedDuty)
{
    // S-1 balances against a condensate stream at another connector of E-1
    // (1500-OUT); S-3 has no connections and a free utility (200-MIX).
    load(joined({item("E-1"), stream("S-1", "Steam", 2000), stream("S-2", "Condensate", 500),
                 stream("S-3", "Steam", 200)}),
         joined({joint("S-1", "E-1", 2, "Inlet"), joint("S-2", "E-1", 1, "Condensate")}));
    tovex_test::CallerLists lists;

    EXPECT_EQ(balance(lists), 1);

    EXPECT_EQ(lists.value_of("Steam"), "-1300   \nBTU/H");
    EXPECT_EQ(record_slot("E-1", "Steam"), "1500.000000\nBTU/H");
    EXPECT_EQ(record_slot("E-1", "Steam-STREAM"), "S-1 line");
    EXPECT_EQ(record_slot("E-1", "CpItemDescription"), "E-1 service");
    // The unconnected stream is balanced but has no item to record under.
    EXPECT_EQ(registered_records(), "$$UTILITYOBJECT##E-1\n");
}

// Outlet partners, listed after or before the stream that meets them first.
struct outlet_case {
    const char* name;
    const char* stream_order;  // which of A (inlet) and B (outlet) is listed first
    const char* posted;
    const char* recorded_stream;
};

class OutletPartners : public testing::TestWithParam<outlet_case> {};

TEST_P(OutletPartners, AreNotVisitedAgainAndNoOtherStreamIsSkipped)
{
    const std::string a = stream("A", "Steam", 100);
    const std::string b = stream("B", "Steam", 40);
    const std::string order = std::string(GetParam().stream_order) == "AB" ? joined({a, b}) : joined({b, a});
    // C comes last and has no connections: it must be visited whatever is
    // taken out of the list before it.
    load(joined({item("E-2"), order, stream("C", "Steam", 7)}),
         joined({joint("A", "E-2", 2, "Inlet"), joint("B", "E-2", 2, "Outlet")}));
    tovex_test::CallerLists lists;

    balance(lists);

    EXPECT_EQ(lists.value_of("Steam"), std::string(GetParam().posted) + "\nBTU/H");
    EXPECT_EQ(record_slot("E-2", "Steam-STREAM"), GetParam().recorded_stream);
}

INSTANTIATE_TEST_SUITE_P(
    DutyBalance, OutletPartners,
    testing::Values(
        // A takes B in (outlet 140, MIX); B is never visited; C adds 7.
        outlet_case{"PartnerNotYetVisited", "AB", "147     ", "A line"},
        // B comes first: 40 against A's 100 is 60-IN. A then meets B at
        // "Outlet" again (140-MIX), but B is behind it and stays in the list.
        outlet_case{"PartnerAlreadyVisited", "BA", "87      ", "A line"}),
    [](const testing::TestParamInfo<outlet_case>& info) { return std::string(info.param.name); });

TEST(DutyBalance, OutletIsMatchedExactlySoOtherSpellingsCountOnTheOtherSide)
{
    load(joined({item("E-2"), stream("A", "Steam", 100), stream("B", "Steam", 40)}),
         joined({joint("A", "E-2", 2, "Inlet"), joint("B", "E-2", 2, "outlet")}));
    tovex_test::CallerLists lists;

    balance(lists);

    // A: 100 - 40 = 60-OUT; B stays in the list: 40 - 100, 60-IN.
    EXPECT_EQ(lists.value_of("Steam"), "120     \nBTU/H");
    EXPECT_EQ(record_slot("E-2", "Steam"), "60.000000\nBTU/H");
    EXPECT_EQ(record_slot("E-2", "Steam-STREAM"), "B line");
}

TEST(DutyBalance, PartnersAreConvertedToTheDutyUnitsAndRecordsCarryTheAbsoluteNet)
{
    // The own duty comes from "DUTY (SIM)"; the partner of another utility
    // takes part, and its duty in KJ/H is converted [1055.05585262 KJ/H =
    // 1000 BTU/H].
    load(joined({item("E-4"), stream("A", "Steam", 250, "BTU/H", "DUTY (SIM)"),
                 stream("P", "Cooling Water", 1055.05585262, "KJ/H")}),
         joined({joint("A", "E-4", 2, "Tube Inlet"), joint("P", "E-4", 1, "Shell Inlet")}));
    tovex_test::CallerLists lists;

    balance(lists);

    // 250 - 1000: 750-IN, recorded and posted without sign.
    EXPECT_EQ(record_slot("E-4", "Steam"), "750.000000\nBTU/H");
    EXPECT_EQ(lists.value_of("Steam"), "750     \nBTU/H");
    // P is a priced utility without a direction-2 connection: passed over.
    EXPECT_EQ(lists.value_of("Cooling Water"), "");
    EXPECT_EQ(record_slot("E-4", "Cooling Water"), "<none>");
}

TEST(DutyBalance, PartnersOfOtherClassesOrWithoutAUtilityAreLeftOut)
{
    const std::string other_class =
        R"({"name": "X", "class": 3105, "slots": {"DESCRIPTION": "Steam", "DUTY": {"value": 900, "units": "BTU/H"}}})";
    const std::string undescribed = R"({"name": "Q", "class": 3005, "slots": {"DUTY": {"value": 800, "units": "BTU/H"}}})";
    load(joined({item("E-6"), stream("A", "Steam", 100), other_class, stream("B", "", 700), undescribed}),
         joined({joint("A", "E-6", 2, "Inlet"), joint("X", "E-6", 1, "Shell"), joint("B", "E-6", 1, "Shell"),
                 joint("Q", "E-6", 1, "Shell")}));
    tovex_test::CallerLists lists;

    balance(lists);

    EXPECT_EQ(record_slot("E-6", "Steam"), "100.000000\nBTU/H");
    EXPECT_EQ(lists.value_of("Steam"), "100     \nBTU/H");
}

TEST(DutyBalance, EveryUnitSystemButEnglishGivesKilojoulesPerHour)
{
    // Own and partner duties alike are converted [1000 BTU/H = 1055.05585262
    // KJ/H].
    load(joined({item("E-5"), stream("A", "Steam", 1000), stream("P", "Condensate", 500),
                 stream("U", "Steam", 1000)}),
         joined({joint("A", "E-5", 2, "Inlet"), joint("P", "E-5", 1, "Shell")}), 2);
    tovex_test::CallerLists lists;

    balance(lists);

    EXPECT_EQ(record_slot("E-5", "Steam"), "527.527926\nKJ/H");
    // U's mix less A's OUT line.
    EXPECT_EQ(lists.value_of("Steam"), "527.5279\nKJ/H");
}

TEST(DutyBalance, UtilitiesArePostedInByteOrderOfTheirNames)
{
    // Both utilities book into one cost slot, which rounds to 7 digits at each
    // posting: "Zeta" before "alpha" gives 1234567 + 0.4, the other way round
    // 0.4 + 1234567.4 would give 1234568.
    const std::string_view entries = R"({"name": "alpha"}, {"name": "Zeta"})";
    const std::string_view rows = R"({"name": "alpha", "cost_slot": "Heat", "value": ""},
                                     {"name": "Zeta", "cost_slot": "Heat", "value": ""})";
    load(joined({stream("A", "alpha", 0.4), stream("Z", "Zeta", 1234567.4)}), "", 0, entries, rows);
    tovex_test::CallerLists lists;

    balance(lists);

    EXPECT_EQ(lists.value_of("Heat"), "1234567 \nBTU/H");
}

TEST(DutyBalance, StreamsThatCannotBeBalancedAreLeftOut)
{
    // A priced utility without connections, a connector with nothing joined,
    // and "Fuel", which is no entry here.
    load(joined({stream("CW", "Cooling Water", 900), stream("N", "Steam", 300), stream("F", "Fuel", 50)}),
         joint("N", "", 2, "Inlet"));
    tovex_test::CallerLists lists;

    EXPECT_EQ(balance(lists), 1);

    EXPECT_EQ(lists.value_of("Cooling Water"), "");
    EXPECT_EQ(lists.value_of("Steam"), "");
    EXPECT_EQ(lists.value_of("Fuel"), "");
    EXPECT_EQ(registered_records(), "");
}

TEST(DutyBalance, AClassWithoutStreamsGivesZeroAndPostsNothing)
{
    load(stream("S", "Steam", 10), "");
    tovex_test::CallerLists lists;

    EXPECT_EQ(balance(lists, 3105), 0);
    EXPECT_EQ(lists.value_of("Steam"), "");
}

}  // namespace
