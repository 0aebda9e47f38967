// The texts and numbers of written JSON: a text that is not UTF-8 still
// gives a valid file, and a floating-point number reads back as one; and
// the layout of the command's output.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>

#include "json/json_writer.h"

namespace {

TEST(JsonText, EachIllFormedStartOfASequenceBecomesOneReplacement)
{
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string text;
        std::string written;
    } cases[] = {
        {"well formed", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},
        {"a lone continuation byte", "a\x80" "b", "\"a" + r + "b\""},
        {"an overlong form", "\xC0\xAF", "\"" + r + r + "\""},
        {"a surrogate", "\xED\xA0\x80", "\"" + r + r + r + "\""},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "\"" + r + r + r + r + "\""},
        {"a sequence cut by the next character", "\xF0\x9F\x98" "x", "\"" + r + "x\""},
        {"a sequence cut by the end", "x\xE2\x82", "\"x" + r + "\""},
        {"escapes around it", "\"\xFF\n\x01", "\"\\\"" + r + "\\n\\u0001\""},
    };
    for (const auto& c : cases) {
        std::string written;
        EXPECT_EQ(qxhost::append_json_string(written, c.text), c.written != "\"" + c.text + "\"") << c.what;
        EXPECT_EQ(written, c.written) << c.what;
    }
}

TEST(JsonNumber, AFloatingNumberKeepsAFractionOrAnExponent)
{
    const struct {
        double value;
        const char* written;
    } cases[] = {
        {100.0, "100.0"}, {-0.0, "-0.0"}, {7.5, "7.5"}, {0.1, "0.1"},
        // Fixed notation up to fifteen digits before the point, four after.
        {1e14, "100000000000000.0"}, {1e15, "1e+15"}, {0.0001, "0.0001"}, {0.00001, "1e-05"},
        {-1.5e-7, "-1.5e-07"}, {1e100, "1e+100"}, {5e-324, "5e-324"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
    };
    for (const auto& c : cases) {
        std::string written;
        qxhost::append_floating(written, c.value);
        EXPECT_EQ(written, c.written);
    }
    std::string written;
    EXPECT_THROW(qxhost::append_floating(written, std::numeric_limits<double>::infinity()), std::invalid_argument);
}

// The command's JSON output: nothing joined on one line but an empty
// container.
TEST(JsonWriter, MemberPerLineIndentsEveryContainerThatHoldsAnything)
{
    std::string text;
    qxhost::JsonWriter json(text, qxhost::JsonLayout::member_per_line);
    json.begin_object();
    json.key("a").begin_array();
    json.integer(1);
    json.floating(2.0);
    json.end();
    json.key("b").begin_array();
    json.end();
    json.key("c").begin_object();
    json.key("d").floating(std::numeric_limits<double>::quiet_NaN());
    json.key("e").boolean(false);
    json.end();
    json.end();
    EXPECT_EQ(text, "{\n  \"a\": [\n    1,\n    2.0\n  ],\n  \"b\": [],\n  \"c\": {\n    \"d\": null,\n"
                    "    \"e\": false\n  }\n}");
}

TEST(Utf8, TakesWellFormedSequencesOnly)
{
    for (const char* good : {"", "plain ASCII text, longer than eight", "KLB\xE2\x82\xAC", "\xC2\x80",
                             "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(qxhost::is_utf8(good)) << good;
    }
    for (const char* bad : {"\xAC/H", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF5\x80\x80\x80", "12345678\xE2\x82", "\xE2\x82\xAC\x80", "\xFF"}) {
        EXPECT_FALSE(qxhost::is_utf8(bad)) << bad;
    }
}

}  // namespace
