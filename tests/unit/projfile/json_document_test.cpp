// The parser hands streamed elements to the sink in a thread of its own:
// they must arrive whole and in file order, across many batches, and what
// the sink throws must reach the caller.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "projfile/json_document.h"

namespace {

std::string many_elements(int count)
{
    std::string text = R"({"items": [)";
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ", ";
        text += R"({"n": )" + std::to_string(i) + R"(, "name": "E-)" + std::to_string(i) + R"("})";
    }
    return text + R"(], "after": true})";
}

class Recorder : public qxhost::ElementSink {
public:
    explicit Recorder(int throw_at = -1) : throw_at_(throw_at) {}
    bool streams(std::string_view key) const override { return key == "items"; }
    void take(std::string_view, std::size_t index, const qxhost::JsonValue& element) override
    {
        if (static_cast<int>(index) == throw_at_) throw std::runtime_error("sink failed");
        const auto members = element.members();
        taken.push_back({index, members[0].value.integer(), std::string(members[1].value.string())});
    }
    struct Taken {
        std::size_t index;
        std::int64_t n;
        std::string name;
    };
    std::vector<Taken> taken;

private:
    int throw_at_;
};

TEST(JsonDocument, StreamedElementsArriveWholeAndInOrder)
{
    Recorder sink;
    const auto document = qxhost::parse_json_document(many_elements(5000), "t.json", &sink);
    ASSERT_EQ(sink.taken.size(), 5000u);
    for (std::size_t i = 0; i < sink.taken.size(); ++i) {
        EXPECT_EQ(sink.taken[i].index, i);
        EXPECT_EQ(sink.taken[i].n, static_cast<std::int64_t>(i));
        EXPECT_EQ(sink.taken[i].name, "E-" + std::to_string(i));
    }
    EXPECT_TRUE(document.root.members()[1].value.boolean());
}

TEST(JsonDocument, WhatTheSinkThrowsReachesTheCaller)
{
    Recorder sink(3000);
    EXPECT_THROW(qxhost::parse_json_document(many_elements(5000), "t.json", &sink), std::runtime_error);
    // A syntax error after the elements stops the sink's thread cleanly.
    Recorder other;
    std::string broken = many_elements(5000);
    broken.resize(broken.size() - 2);
    EXPECT_ANY_THROW(qxhost::parse_json_document(broken, "t.json", &other));
}

}  // namespace
