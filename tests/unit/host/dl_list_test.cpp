// CDLList through TList: positions, key lookup and removal, also after the
// list has reclaimed the slots of many removed nodes.
#include <gtest/gtest.h>

#include <string>

#include "host/listkit.h"

namespace {

class NamedNode : public CListNode {
public:
    explicit NamedNode(std::string name = {}, int tag = 0) : name_(std::move(name)), tag_(tag) {}
    std::string Key() const override { return name_; }
    std::unique_ptr<CListNode> Clone() const override { return std::make_unique<NamedNode>(*this); }
    const std::string& name() const { return name_; }
    int tag() const { return tag_; }

private:
    std::string name_;
    int tag_;
};

using NamedList = TList<NamedNode>;

std::string names_of(const NamedList& list)
{
    std::string joined;
    NamedNode node;
    for (int i = 0; list.GetAt(i, node); ++i) joined += node.name() + ",";
    return joined;
}

TEST(DLList, GetAtCopiesAndStopsAtTheEnd)
{
    NamedList list;
    NamedNode cursor("untouched", 99);
    EXPECT_EQ(list.GetAt(0, cursor), 0);
    list.Append(NamedNode("a", 1));
    list.Append(NamedNode("b", 2));
    EXPECT_EQ(list.GetLength(), 2);
    ASSERT_EQ(list.GetAt(1, cursor), 1);
    EXPECT_EQ(cursor.name(), "b");
    EXPECT_EQ(cursor.tag(), 2);
    EXPECT_EQ(list.GetAt(2, cursor), 0);
    EXPECT_EQ(list.GetAt(-1, cursor), 0);
    EXPECT_EQ(cursor.name(), "b");
}

TEST(DLList, FindPosGivesTheFirstOfEqualKeys)
{
    NamedList list;
    for (const char* name : {"x", "y", "x", "z"}) list.Append(NamedNode(name));
    EXPECT_EQ(list.FindPos(NamedNode("x")), 0);
    EXPECT_EQ(list.FindPos(NamedNode("z")), 3);
    EXPECT_LT(list.FindPos(NamedNode("w")), 0);
    ASSERT_EQ(list.RemoveAt(0), 1);
    EXPECT_EQ(list.FindPos(NamedNode("x")), 1);
    EXPECT_EQ(names_of(list), "y,x,z,");
}

TEST(DLList, RemoveAtKeepsOrderAndRejectsBadPositions)
{
    NamedList list;
    for (const char* name : {"a", "b", "c"}) list.Append(NamedNode(name));
    EXPECT_EQ(list.RemoveAt(3), 0);
    EXPECT_EQ(list.RemoveAt(-1), 0);
    EXPECT_EQ(list.RemoveAt(1), 1);
    EXPECT_EQ(names_of(list), "a,c,");
    list.RemoveAll();
    EXPECT_EQ(list.GetLength(), 0);
    EXPECT_LT(list.FindPos(NamedNode("a")), 0);
    list.Append(NamedNode("d"));
    EXPECT_EQ(names_of(list), "d,");
}

// Removes every other node of a long list, repeatedly, so that the list
// reclaims removed slots several times, and checks positions against a
// plain vector doing the same.
TEST(DLList, PositionsStayRightThroughManyRemovals)
{
    NamedList list;
    std::vector<std::string> expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = "n" + std::to_string(i % 300);
        list.Append(NamedNode(name, i));
        expected.push_back(name);
    }
    while (expected.size() > 3) {
        for (int position = static_cast<int>(expected.size()) - 1; position >= 0; position -= 2) {
            ASSERT_EQ(list.RemoveAt(position), 1);
            expected.erase(expected.begin() + position);
        }
        ASSERT_EQ(list.GetLength(), static_cast<int>(expected.size()));
        NamedNode node;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(list.GetAt(static_cast<int>(i), node), 1);
            ASSERT_EQ(node.name(), expected[i]) << "position " << i;
            const auto first = std::find(expected.begin(), expected.end(), expected[i]) - expected.begin();
            ASSERT_EQ(list.FindPos(NamedNode(expected[i])), first);
        }
    }
}

// Taking out the first of many equal keys, one after the other, as the duty
// balance takes out partners: each lookup must find the next one.
TEST(DLList, EqualKeysTakenOutFromTheFrontAreFoundInTurn)
{
    NamedList list;
    for (int i = 0; i < 3000; ++i) list.Append(NamedNode(i % 3 == 2 ? "other" : "same", i));
    const int expected_others = 1000;
    for (int taken = 0; taken < 2000; ++taken) {
        const int found = list.FindPos(NamedNode("same"));
        ASSERT_GE(found, 0) << taken;
        NamedNode node;
        ASSERT_EQ(list.GetAt(found, node), 1);
        ASSERT_EQ(node.name(), "same");
        // The first "same" left: every "other" before it is still there.
        ASSERT_EQ(found, taken / 2) << taken;
        ASSERT_EQ(list.RemoveAt(found), 1);
    }
    EXPECT_LT(list.FindPos(NamedNode("same")), 0);
    EXPECT_EQ(list.GetLength(), expected_others);
    EXPECT_EQ(list.FindPos(NamedNode("other")), 0);
}

TEST(DLList, CopiesAreDeepAndMovedFromListsAreEmpty)
{
    NamedList list;
    list.Append(NamedNode("a"));
    list.Append(NamedNode("b"));
    NamedList copy(list);
    ASSERT_EQ(copy.RemoveAt(0), 1);
    EXPECT_EQ(names_of(list), "a,b,");
    EXPECT_EQ(names_of(copy), "b,");
    copy = list;
    EXPECT_EQ(names_of(copy), "a,b,");

    NamedList moved(std::move(list));
    EXPECT_EQ(names_of(moved), "a,b,");
    EXPECT_EQ(list.GetLength(), 0);  // NOLINT(bugprone-use-after-move)
    list.Append(NamedNode("c"));
    EXPECT_EQ(names_of(list), "c,");
}

}  // namespace
