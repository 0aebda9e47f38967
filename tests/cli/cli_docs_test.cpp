// The examples of docs/modeling.md, run as written: the plant is its first
// JSON block, and each shell block's output must be the text block after it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;

struct Block {
    std::string language;
    std::string text;
};

std::vector<Block> fenced_blocks(const std::string& markdown)
{
    std::vector<Block> blocks;
    std::istringstream lines(markdown);
    std::string line;
    Block* open = nullptr;
    while (std::getline(lines, line)) {
        if (line.starts_with("```")) {
            if (open == nullptr) {
                open = &blocks.emplace_back(Block{line.substr(3), {}});
            } else {
                open = nullptr;
            }
        } else if (open != nullptr) {
            open->text += line + "\n";
        }
    }
    return blocks;
}

TEST(Docs, TheModelingPageRunsAsWritten)
{
    CommandFolder folder;
    const std::string page = folder.read(tovex_test::source_dir() / "docs" / "modeling.md");
    const auto blocks = fenced_blocks(page);
    const auto plant = std::find_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.language == "json"; });
    ASSERT_NE(plant, blocks.end());
    folder.write("small-plant.json", plant->text);

    const std::string command_folder = std::filesystem::path(TOVEX_COMMAND).parent_path().string();
    int examples = 0;
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) {
        if (blocks[i].language != "sh") continue;
        ASSERT_EQ(blocks[i + 1].language, "text") << blocks[i].text;
        const auto result =
            folder.run_program("/bin/sh", {"-c", "PATH=" + command_folder + ":$PATH\n" + blocks[i].text});
        EXPECT_EQ(result.out, blocks[i + 1].text) << blocks[i].text << result.err;
        ++examples;
    }
    EXPECT_EQ(examples, 5);
}

}  // namespace
