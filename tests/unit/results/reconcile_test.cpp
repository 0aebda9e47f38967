// The reconciliation of each utility's posted rate with its items' lines:
// every cause it names, with its amount, and what stays unexplained.
#include <gtest/gtest.h>

#include "run_results/result_figures.h"

namespace {

using qxhost::run_results::ItemUsage;
using qxhost::run_results::RunJournal;
using qxhost::run_results::UtilityLine;

struct Case {
    const char* name;
    double posted;
    std::vector<ItemUsage> items;
    std::optional<RunJournal> journal;
    bool balanced;
    std::vector<std::string> causes;  // the causes' texts, each with its amount when it has one
    bool explained;
};

ItemUsage line(const char* item, double amount, std::optional<double> cost = 1.0)
{
    return {item, "", "Steam", amount, "KLB/H", std::nullopt, cost};
}

RunJournal journal_of(std::optional<double> carried_in, long replaced_at_items, double replaced_amount)
{
    RunJournal journal;
    auto& steam = journal["Steam"];
    steam.carried_in = carried_in;
    steam.carried_in_units = "KLB/H";
    steam.units = "KLB/H";
    steam.writes = 3;
    steam.replaced_at_items = replaced_at_items;
    steam.replaced_at_items_amount = replaced_amount;
    return journal;
}

std::vector<std::string> causes_of(const qxhost::run_results::Reconciliation& row)
{
    std::vector<std::string> texts;
    for (const auto& [cause, amount] : row.causes)
        texts.push_back(amount && *amount != 0 ? cause + " = " + std::to_string(*amount) : cause);
    return texts;
}

TEST(Reconciliation, NamesEachCauseWithItsAmount)
{
    const std::vector<Case> cases = {
        {"lines that add up", 5.0, {line("E-1", 2.0), line("E-2", 3.0)}, std::nullopt, false, {}, true},
        {"rounding of the postings", 5.0000004, {line("E-1", 2.0), line("E-2", 3.0)}, std::nullopt, false,
         {"amounts rounded at each posting = 0.000000"}, true},
        {"a record of amount 0", 3.0, {line("E-1", 3.0), line("E-2", 0.0, std::nullopt)}, std::nullopt, false,
         {"1 record(s) with a zero amount, skipped"}, true},
        {"recorded without a line", 5.0, {line("E-1", 2.0), line("E-2", 3.0, std::nullopt)}, std::nullopt, false,
         {"recorded but given no line: the utility's unit cost is 0 = 3.000000"}, true},
        {"carried in and replaced at an item", 17.0, {line("E-1", 3.0)}, journal_of(10.0, 1, 4.0), false,
         {"held by the cost row before the run: postings add to it = 10.000000",
          "1 more stream(s) of the utility at an item: its record keeps only the latest = 4.000000"},
         true},
        {"a duty balance replaces nothing", 17.0, {line("E-1", 3.0)}, journal_of(10.0, 1, 4.0), true,
         {"held by the cost row before the run: postings add to it = 10.000000"}, false},
        {"nothing explains it", 9.0, {line("E-1", 3.0)}, std::nullopt, false, {}, false},
    };
    for (const Case& c : cases) {
        UtilityLine posted;
        posted.name = "Steam";
        posted.rate = c.posted;
        posted.rate_units = "KLB/H";
        posted.cost_per_hour = 1.0;
        std::set<std::string, std::less<>> balanced;
        if (c.balanced) balanced.insert("Steam");
        const auto rows = qxhost::run_results::reconcile({posted}, c.items, c.journal, balanced);
        ASSERT_EQ(rows.size(), 1u) << c.name;
        EXPECT_EQ(causes_of(rows[0]), c.causes) << c.name;
        EXPECT_EQ(rows[0].explained, c.explained) << c.name;
    }
}

TEST(Reconciliation, LeavesElectricityToTheLoadSummary)
{
    UtilityLine electricity;
    electricity.name = "Electricity";
    EXPECT_TRUE(qxhost::run_results::reconcile({electricity}, {}, std::nullopt, {}).empty());
}

}  // namespace
