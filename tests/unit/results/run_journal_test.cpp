// The journal of a run: the amounts written into usage records, and those a
// run replaced, told from the ones that were there before it, also when an
// earlier run's journal wrote them in the same process.
#include <gtest/gtest.h>

#include <memory>

#include "host/objstore.h"
#include "model/workspace.h"
#include "run_results/run_journal.h"
#include "tovex/results_layout.h"

namespace {

namespace layout = tovex::layout;

std::string record_of(const char* item) { return std::string(layout::utility_record_prefix) + item; }

void write(const std::string& record, const char* slot, const char* text)
{
    CqxGenericObject object(0, layout::results_database, record, 1, nullptr, 0);
    ASSERT_EQ(object.SetValue(slot, text, 0), 1);
}

void remove(const std::string& record, const char* slot)
{
    CqxGenericObject object(0, layout::results_database, record, 1, nullptr, 0);
    object.DeleteAttribute(slot);
}

TEST(RunJournal, CountsTheAmountsARunWroteAndReplaced)
{
    auto project = std::make_unique<qxhost::Project>();
    project->databases.get_or_add(layout::results_database);
    qxhost::LoadedProject loaded(std::move(project));
    write(record_of("E-0"), "Steam", "7\nKLB/H");  // before any journal

    qxhost::run_results::RunJournal first;
    {
        const qxhost::run_results::JournalKeeper keeper({});
        remove(record_of("E-0"), "Steam");  // there before the run: not this run's
        write(record_of("E-1"), "Steam", "5\nKLB/H");
        write(record_of("E-1"), "Steam-STREAM", "S-1");
        remove(record_of("E-1"), "Steam");  // this run's, at an item
        write(record_of("E-1"), "Steam", "6\nKLB/H");
        write(record_of(""), "Steam", "2\nKLB/H");
        remove(record_of(""), "Steam");  // this run's, of the streams without an item
        write(record_of("E-2"), "Steam", "3\nKLB/H");
        first = keeper.journal();
    }
    const qxhost::run_results::UtilityJournal& steam = first.at("Steam");
    EXPECT_EQ(steam.writes, 4);
    EXPECT_EQ(steam.written, 16.0);
    EXPECT_EQ(steam.units, "KLB/H");
    EXPECT_EQ(steam.replaced_at_items, 1);
    EXPECT_EQ(steam.replaced_at_items_amount, 5.0);
    EXPECT_EQ(steam.replaced_bare, 1);
    EXPECT_EQ(steam.replaced_bare_amount, 2.0);
    EXPECT_EQ(first.count("Steam-STREAM"), 0u);

    // The next run finds the first one's amounts there before it.
    const qxhost::run_results::JournalKeeper second({});
    remove(record_of("E-2"), "Steam");
    EXPECT_EQ(second.journal().count("Steam"), 0u);
}

}  // namespace
