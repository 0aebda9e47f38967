// Writing a project: what is written reads back into an equal project, with
// the run's changes, numbers in shortest form and every key order kept.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "example_project.h"
#include "project_compare.h"
#include "projfile/projfile.h"

namespace {

using qxhost::Value;

std::unique_ptr<qxhost::Project> parse(std::string_view text) { return qxhost::parse_project(text, "state.json"); }

Value number(double value, std::string units = {})
{
    Value result;
    result.kind = Value::Kind::number;
    result.number = value;
    result.units = std::move(units);
    return result;
}

Value text(std::string value)
{
    Value result;
    result.text = std::move(value);
    return result;
}

std::unique_ptr<qxhost::Project> minimal()
{
    return parse(R"({"project": {"instance": 1, "name": "P", "scenario": "S"}, "cost_rows": [],
                     "objects": [{"name": "S-1", "class": 3105}]})");
}

// The text of the slot "X" of the only object after writing `value` there.
std::string written_slot(const Value& value)
{
    auto project = minimal();
    project->objects[0].slots.set("X", value);
    const std::string out = qxhost::write_project_json(*project);
    const auto start = out.find("\"X\": ");
    if (start == std::string::npos) return "(no slot in " + out + ")";
    const auto end = out.find('}', start);
    return out.substr(start + 5, end - start - 5);
}

TEST(WriteProject, TheExampleReadsBackEqual)
{
    const auto project = parse(projfile_test::example_project);
    const std::string out = qxhost::write_project_json(*project);
    EXPECT_EQ(out.back(), '\n');
    const auto again = parse(out);
    EXPECT_TRUE(projfile_test::same_project(*project, *again));
    // A second pass gives the same text.
    EXPECT_EQ(qxhost::write_project_json(*again), out);
}

TEST(WriteProject, DefaultRowsAreWrittenOut)
{
    const auto project = parse(R"({"project": {"instance": 1, "name": "P", "scenario": "S"}})");
    const auto again = parse(qxhost::write_project_json(*project));
    EXPECT_TRUE(projfile_test::same_project(*project, *again));
    EXPECT_EQ(again->cost_rows.size(), 4u);
}

TEST(WriteProject, TheChangesOfARunAreKept)
{
    auto project = parse(projfile_test::example_project);
    project->entries.find("Cooling Water")->slots.set("Rate per Hour", number(250, "KLB/H"));
    project->entries.find("Cooling Water")->slots.set("Cost per Hour", number(30));
    project->objects[2].slots.set("TOTAL MASS DENSITY", number(62.3, "PCF"));
    project->databases.erase("INV");
    project->databases.get_or_add("UTILRES0").get_or_add("UTIL_USAGE_LIST_OF_OBJECTS").set("E-101", text("x"));
    project->cost_rows[0].value = "30      \n$";
    project->cost_rows[0].number = 42;

    const std::string out = qxhost::write_project_json(*project);
    const auto again = parse(out);
    EXPECT_TRUE(projfile_test::same_project(*project, *again));
    EXPECT_FALSE(again->databases.contains("INV"));
    EXPECT_EQ(again->databases.begin()->first, "OP");
    EXPECT_EQ(std::prev(again->databases.end())->first, "UTILRES0");
    EXPECT_EQ(again->cost_rows[0].number, 42u);
    EXPECT_NE(out.find("\"number\": 42}"), std::string::npos) << out;
    EXPECT_NE(out.find("\"number\": 18446744073709551615\n"), std::string::npos) << out;
}

TEST(WriteProject, SlotOrderIsInsertionOrder)
{
    auto project = minimal();
    auto& slots = project->objects[0].slots;
    slots.set("B", number(1));
    slots.set("A", number(2));
    slots.set("C", number(3));
    slots.erase("B");
    slots.set("B", number(4));
    slots.set("A", number(5));  // overwriting keeps the place
    const auto again = parse(qxhost::write_project_json(*project));
    std::vector<std::string> names;
    for (const auto& [name, value] : again->objects[0].slots) names.push_back(name.str());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(again->objects[0].slots.find("A")->number, 5.0);
}

TEST(WriteProject, NumbersInShortestForm)
{
    EXPECT_EQ(written_slot(number(0.1)), "0.1");
    EXPECT_EQ(written_slot(number(120000)), "120000");
    EXPECT_EQ(written_slot(number(99.9)), "99.9");
    EXPECT_EQ(written_slot(number(1e16)), "1e+16");
    EXPECT_EQ(written_slot(number(1.0 / 3.0)), "0.3333333333333333");
    EXPECT_EQ(written_slot(number(5e-324)), "5e-324");
    EXPECT_EQ(written_slot(number(0.07, "$/KWH")), R"({"value": 0.07, "units": "$/KWH")");
}

TEST(WriteProject, NumbersReadBackAsTheSameDouble)
{
    for (double value : {0.1, 1.0 / 3.0, 1e16, 123456789.123456789, 5e-324, 1.7976931348623157e308, -2.5,
                         9007199254740993.0, 1e21, 0.0}) {
        auto project = minimal();
        project->objects[0].slots.set("X", number(value));
        const auto again = parse(qxhost::write_project_json(*project));
        EXPECT_EQ(again->objects[0].slots.find("X")->number, value);
    }
}

TEST(WriteProject, NegativeZeroKeepsItsSign)
{
    auto project = minimal();
    project->objects[0].slots.set("X", number(-0.0));
    const auto again = parse(qxhost::write_project_json(*project));
    EXPECT_TRUE(std::signbit(again->objects[0].slots.find("X")->number));
}

TEST(WriteProject, NumbersThatAreNotFinite)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(written_slot(number(inf)), R"({"value": "inf")");
    EXPECT_EQ(written_slot(number(-inf, "KW")), R"({"value": "-inf", "units": "KW")");
    EXPECT_EQ(written_slot(number(std::nan(""), "LB/H")), R"({"value": "nan", "units": "LB/H")");

    auto project = minimal();
    project->objects[0].slots.set("X", number(-inf, "KW"));
    project->objects[0].slots.set("Y", number(std::nan("")));
    const auto again = parse(qxhost::write_project_json(*project));
    EXPECT_TRUE(projfile_test::same_project(*project, *again));
}

TEST(WriteProject, TextsAreEscaped)
{
    auto project = minimal();
    project->objects[0].slots.set("quote \" and \\", text("line\nfeed\ttab \x01 \xC3\xA9"));
    project->objects[0].slots.set("list", [] {
        Value list;
        list.kind = Value::Kind::list;
        list.items = {"", "a\"b"};
        return list;
    }());
    const auto again = parse(qxhost::write_project_json(*project));
    EXPECT_TRUE(projfile_test::same_project(*project, *again));
}

TEST(WriteProject, ATextThatIsNotUtf8StillGivesAReadableFile)
{
    auto project = minimal();
    project->objects[0].slots.set("X", text("bad \xFF byte"));
    const auto again = parse(qxhost::write_project_json(*project));
    EXPECT_EQ(again->objects[0].slots.find("X")->text, "bad \xEF\xBF\xBD byte");
}

}  // namespace
