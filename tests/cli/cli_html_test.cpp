// The HTML report opened in a real browser (headless Chromium): what it
// shows, that it asks for nothing from the network, and that texts from
// the project are shown and never run. The example plant's page is saved
// as a screenshot among the test artifacts.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include <nlohmann/json.hpp>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

constexpr const char* browser = "/usr/bin/chromium";

// The page as the browser rendered it, with the URLs of the requests the
// page itself made (the browser's own background traffic aside).
struct Rendered {
    std::string dom;
    std::vector<std::string> page_requests;
};

std::vector<std::string> browser_flags(const CommandFolder& folder)
{
    // Quiet: no background traffic of the browser's own, a fresh profile.
    return {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--disable-extensions", "--disable-default-apps",
            "--user-data-dir=" + (folder.path() / "profile").string()};
}

Rendered render(const CommandFolder& folder, const std::filesystem::path& page)
{
    const std::string net_log = (folder.path() / "net-log.json").string();
    auto arguments = browser_flags(folder);
    arguments.insert(arguments.end(), {"--log-net-log=" + net_log, "--dump-dom", "file://" + page.string()});
    const CommandResult result = folder.run_program(browser, arguments);
    EXPECT_EQ(result.status, 0) << result.err;

    Rendered rendered{result.out, {}};
    const auto log = nlohmann::json::parse(folder.read(net_log), nullptr, false);
    EXPECT_FALSE(log.is_discarded()) << "the browser's network log cannot be read";
    if (log.is_discarded()) return rendered;
    for (const auto& event : log.value("events", nlohmann::json::array())) {
        const auto params = event.value("params", nlohmann::json::object());
        // A request the page made is keyed by the page's own site.
        if (!params.contains("url") || !params.contains("network_isolation_key")) continue;
        if (params["network_isolation_key"].get<std::string>().find("file://") == std::string::npos) continue;
        const std::string url = params["url"];
        if (!url.starts_with("file:") && !url.starts_with("data:")) rendered.page_requests.push_back(url);
    }
    return rendered;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(HtmlReport, TheExamplePageShowsItsFiguresAndAsksForNothing)
{
    ASSERT_TRUE(std::filesystem::exists(browser)) << browser << " is missing: scripts/install-deps.sh --tests";
    CommandFolder folder;
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    const auto page = folder.path() / "report.html";
    const CommandResult run = folder.run({"run", plant, "--dir", folder.work().string(), "--html", page.string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const Rendered rendered = render(folder, page);
    EXPECT_TRUE(contains(rendered.dom, "<span id=\"total-per-period\">1,776,844.87</span>")) << rendered.dom;
    // Each utility's cost per hour, as the run left it: Electricity and Fuel
    // as the summary report prints them (681.135000 and 384.975000, each
    // the nearest double to its text, rounded to cents), the others as
    // their entries keep them.
    for (const char* cost : {"681.13", "6.98", "143.75", "8.00", "51.67", "0.26", "0.86", "384.98"})
        EXPECT_TRUE(contains(rendered.dom, std::string(">") + cost + "</td>")) << cost;
    EXPECT_TRUE(contains(rendered.dom, "id=\"reconciliation\""));
    EXPECT_FALSE(contains(rendered.dom, "not explained"));
    // The checks open the page, the error with its money; the electricity
    // its lines leave out is named in the reconciliation; a small rate keeps
    // its digits; all utilities have a headline of their own.
    EXPECT_LT(rendered.dom.find("id=\"checks\""), rendered.dom.find("id=\"utilities\""));
    EXPECT_TRUE(contains(rendered.dom, "<td>load-item-no-area</td><td>PKG-501 / area</td>")) << rendered.dom;
    EXPECT_TRUE(contains(rendered.dom, "PKG-501 is in no area"));
    EXPECT_TRUE(contains(rendered.dom, ">0.0003600</td>"));
    EXPECT_TRUE(contains(rendered.dom, "id=\"all-per-period\""));
    EXPECT_TRUE(contains(rendered.dom, "they agree."));
    EXPECT_EQ(rendered.page_requests, std::vector<std::string>{});

    // The screenshot, kept for people to look at.
    const auto shot = std::filesystem::path(TOVEX_TEST_ARTIFACTS) / "example-report.png";
    std::filesystem::create_directories(shot.parent_path());
    auto arguments = browser_flags(folder);
    arguments.insert(arguments.end(), {"--window-size=1100,2400", "--screenshot=" + shot.string(), "file://" + page.string()});
    EXPECT_EQ(folder.run_program(browser, arguments).status, 0);
    EXPECT_EQ(folder.read(shot).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// The page printed on Letter (the browser's paper) and on A4 (asked for by
// a copy of the page), kept among the artifacts to be looked at: each a
// PDF of a few pages of its paper's size.
TEST(HtmlReport, TheExamplePagePrintsOnLetterAndA4)
{
    CommandFolder folder;
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    const auto page = folder.path() / "report.html";
    ASSERT_EQ(folder.run({"run", plant, "--dir", folder.work().string(), "--html", page.string()}).status, 0);
    std::string a4 = folder.read(page);
    const std::size_t at = a4.find("@page {");
    ASSERT_NE(at, std::string::npos);
    a4.insert(at + 7, " size: A4;");
    folder.write("report-a4.html", a4);

    const auto artifacts = std::filesystem::path(TOVEX_TEST_ARTIFACTS);
    std::filesystem::create_directories(artifacts);
    // The paper's size in points.
    for (const auto& [source, paper, width, height] :
         {std::tuple{page, "letter", 612.0, 792.0}, std::tuple{folder.path() / "report-a4.html", "a4", 595.3, 841.9}}) {
        const auto pdf = artifacts / (std::string("example-report-") + paper + ".pdf");
        auto arguments = browser_flags(folder);
        arguments.insert(arguments.end(),
                         {"--no-pdf-header-footer", "--print-to-pdf=" + pdf.string(), "file://" + source.string()});
        EXPECT_EQ(folder.run_program(browser, arguments).status, 0);
        const std::string printed = folder.read(pdf);
        EXPECT_EQ(printed.substr(0, 5), "%PDF-") << paper;
        const std::size_t box = printed.find("/MediaBox [0 0 ");
        ASSERT_NE(box, std::string::npos) << paper;
        std::istringstream size(printed.substr(box + 15, 40));
        double printed_width = 0, printed_height = 0;
        size >> printed_width >> printed_height;
        EXPECT_NEAR(printed_width, width, 1.0) << paper;
        EXPECT_NEAR(printed_height, height, 1.0) << paper;
    }
}

TEST(HtmlReport, TextsFromTheProjectAreShownAndNeverRun)
{
    ASSERT_TRUE(std::filesystem::exists(browser)) << browser << " is missing: scripts/install-deps.sh --tests";
    CommandFolder folder;
    const std::string hostile = "<script>alert(1)</script>";
    folder.write("hostile.json", R"({"project": {"instance": 1, "name": "<b>P</b>", "scenario": "\"&<>"},
        "utility_streams": {"entries": [{"name": "<script>alert(1)</script>",
            "slots": {"Unit Cost": {"value": 2, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}}]},
        "objects": [{"name": "E-1", "class": 1705, "slots": {"CpItemDescription": "<img src=x onerror=alert(2)>"}},
          {"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "<script>alert(1)</script>",
            "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}}],
        "connections": [{"stream": "S-1", "item": "E-1", "direction": 2, "connector": "Inlet"}],
        "cost_rows": [{"name": "<script>alert(1)</script>", "cost_slot": "<script>alert(1)</script>", "value": ""}]})");
    const auto page = folder.path() / "hostile.html";
    const CommandResult run = folder.run({"run", (folder.path() / "hostile.json").string(), "--dir",
                                          folder.work().string(), "--html", page.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string html = folder.read(page);
    EXPECT_FALSE(contains(html, "<script"));
    EXPECT_FALSE(contains(html, "<img"));
    EXPECT_FALSE(contains(html, "<b>P"));

    const Rendered rendered = render(folder, page);
    EXPECT_TRUE(contains(rendered.dom, "&lt;script&gt;alert(1)&lt;/script&gt;")) << rendered.dom;
    EXPECT_TRUE(contains(rendered.dom, "&lt;img src=x onerror=alert(2)&gt;"));
    EXPECT_TRUE(contains(rendered.dom, "&quot;&amp;&lt;&gt;") || contains(rendered.dom, "\"&amp;&lt;&gt;"));
    EXPECT_FALSE(contains(rendered.dom, "<script>"));
    EXPECT_EQ(rendered.page_requests, std::vector<std::string>{});
}

}  // namespace

namespace {

// The page of a run kept in a store, written again later, shows the run as
// it was.
TEST(HtmlReport, AStoredRunGivesItsPageAgain)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    ASSERT_EQ(folder.run({"import", (tovex_test::source_dir() / "examples/sim-case-plant.json").string(), store}).status,
              0);
    const auto first = folder.path() / "first.html";
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string(), "--html", first.string()}).status, 0);
    const auto again = folder.path() / "again.html";
    const CommandResult report = folder.run({"report", store, "--html", again.string()});
    ASSERT_EQ(report.status, 0) << report.err;
    // The same page but for the moment shown, which is the run's start.
    const auto without_time = [&](std::string page) {
        const std::size_t at = page.find(" at 20");
        return at == std::string::npos ? page : page.erase(at, 24);
    };
    EXPECT_EQ(without_time(folder.read(again)), without_time(folder.read(first)));
    // The simulator case's items and their costs, nothing marked as wrong.
    const std::string page = folder.read(first);
    EXPECT_NE(page.find("id=\"items\""), std::string::npos);
    EXPECT_EQ(page.find("class=\"bad\""), std::string::npos) << page;
    EXPECT_EQ(folder.run({"report", store}).status, 2);  // neither --dir nor --html
}

}  // namespace

namespace {

// Each cause of a difference that the run's journal knows is named with its
// exact amount, on the page of the run and on the page the store gives
// again: the amount the cost row held before, a second stream at an item,
// a second stream without an item.
TEST(HtmlReport, TheJournalGivesEachCauseItsAmount)
{
    CommandFolder folder;
    folder.write("plant.json", R"({"project": {"instance": 1, "name": "P", "scenario": "S"},
        "utility_streams": {"entries": [{"name": "Steam",
            "slots": {"Unit Cost": {"value": 2, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}}]},
        "objects": [{"name": "E-1", "class": 1705},
          {"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
          {"name": "S-2", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 3000, "units": "LB/H"}}},
          {"name": "S-3", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 500, "units": "LB/H"}}},
          {"name": "S-4", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 700, "units": "LB/H"}}}],
        "connections": [{"stream": "S-1", "item": "E-1", "direction": 2, "connector": "Inlet"},
          {"stream": "S-2", "item": "E-1", "direction": 2, "connector": "Inlet"},
          {"stream": "S-3", "item": "", "direction": 2, "connector": "Inlet"},
          {"stream": "S-4", "item": "", "direction": 2, "connector": "Inlet"}],
        "cost_rows": [{"name": "Steam", "cost_slot": "Steam", "value": "10\nKLB/H"}]})");
    const std::string store = (folder.path() / "plant.db").string();
    ASSERT_EQ(folder.run({"import", (folder.path() / "plant.json").string(), store}).status, 0);
    const auto first = folder.path() / "first.html";
    ASSERT_EQ(folder.run({"run", store, "--dir", folder.work().string(), "--html", first.string()}).status, 0);
    const auto again = folder.path() / "again.html";
    ASSERT_EQ(folder.run({"report", store, "--html", again.string()}).status, 0);

    const std::string page = folder.read(first);
    EXPECT_NE(page.find("held by the cost row before the run: postings add to it (10.000000)"), std::string::npos);
    EXPECT_NE(page.find("1 more stream(s) of the utility at an item: its record keeps only the latest (1.000000)"),
              std::string::npos);
    EXPECT_NE(page.find("the one record under the bare prefix keeps only the last (0.500000)"), std::string::npos);
    EXPECT_EQ(page.find("class=\"bad\""), std::string::npos) << page;
    EXPECT_NE(folder.read(again).find("keeps only the latest (1.000000)"), std::string::npos);
}

}  // namespace
