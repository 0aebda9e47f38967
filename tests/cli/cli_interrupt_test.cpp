// A run stopped at any moment leaves its folder with the earlier run's
// reports or its own, each whole; Ctrl-C and SIGTERM leave one run's set.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <random>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;
using nlohmann::json;

const std::vector<std::string> report_names = {"UtilRes.Txt", "UtilRes_DA.Txt", "UtilRes2.Txt", "UtilRes2_DA.Txt"};

// The ethylene plant with its streams copied `copies` times, so that its
// run lasts long enough to be stopped half-way, at cooling water price
// `price`.
std::string big_plant(const CommandFolder& folder, const std::string& name, int copies, double price)
{
    std::ifstream file(tovex_test::source_dir() / "examples" / "ethylene-plant.json");
    json plant = json::parse(file);
    const json objects = plant["objects"];
    const json connections = plant["connections"];
    for (int copy = 1; copy < copies; ++copy) {
        for (json object : objects) {
            if (object["class"].get<int>() < 3000) continue;
            object["name"] = object["name"].get<std::string>() + "-" + std::to_string(copy);
            object.erase("ref_id");
            plant["objects"].push_back(object);
        }
        for (json connection : connections) {
            connection["stream"] = connection["stream"].get<std::string>() + "-" + std::to_string(copy);
            plant["connections"].push_back(connection);
        }
    }
    for (json& entry : plant["utility_streams"]["entries"])
        if (entry["name"] == "Cooling Water") entry["slots"]["Unit Cost"]["value"] = price;
    return folder.write(name, plant.dump());
}

std::map<std::string, std::string> reports_in(const CommandFolder& folder, const std::filesystem::path& dir)
{
    std::map<std::string, std::string> reports;
    for (const std::string& name : report_names)
        if (std::filesystem::exists(dir / name)) reports[name] = folder.read(dir / name);
    return reports;
}

TEST(Interruption, AStoppedRunLeavesTheEarlierReportsOrItsOwnWhole)
{
    CommandFolder folder;
    const std::string earlier = big_plant(folder, "earlier.json", 300, 0.12);
    const std::string later = big_plant(folder, "later.json", 300, 0.24);
    const std::filesystem::path reference = folder.path() / "reference";
    ASSERT_EQ(folder.run({"run", later, "--dir", reference.string()}).status, 0);
    const auto new_reports = reports_in(folder, reference);
    ASSERT_EQ(new_reports.size(), 4u);

    std::mt19937 random(20261210);
    const int signals[] = {SIGINT, SIGTERM, SIGKILL};
    for (int round = 0; round < 18; ++round) {
        const std::filesystem::path dir = folder.path() / ("run-" + std::to_string(round));
        ASSERT_EQ(folder.run({"run", earlier, "--dir", dir.string()}).status, 0);
        const auto old_reports = reports_in(folder, dir);

        const int signal_number = signals[round % 3];
        const pid_t child = folder.start({"run", later, "--dir", dir.string()}, "stopped");
        usleep(std::uniform_int_distribution<useconds_t>(0, 150'000)(random));
        kill(child, signal_number);
        const CommandResult result = folder.finish(child, "stopped");

        const auto left = reports_in(folder, dir);
        ASSERT_EQ(left.size(), 4u) << "round " << round;
        bool all_old = true, all_new = true;
        for (const auto& [name, bytes] : left) {
            EXPECT_TRUE(bytes == old_reports.at(name) || bytes == new_reports.at(name)) << name << " cut short";
            all_old = all_old && bytes == old_reports.at(name);
            all_new = all_new && bytes == new_reports.at(name);
        }
        if (signal_number == SIGKILL) continue;
        EXPECT_TRUE(all_old || all_new) << "round " << round << ": reports of two runs";
        // A signal before the command has begun its work, or after it has
        // ended it, ends the process where it stands: with nothing of the
        // run written, or all of it.
        if (result.status == -1) continue;
        if (result.status != 0) {
            EXPECT_EQ(result.status, 128 + signal_number) << result.err;
            EXPECT_NE(result.err.find("tovex: interrupted"), std::string::npos) << result.err;
        }
    }
    // A staging folder that an interrupted run could not quite remove (the
    // run was still writing into it) is gone after the next run there.
    for (int round = 0; round < 18; ++round) {
        const std::filesystem::path dir = folder.path() / ("run-" + std::to_string(round));
        ASSERT_EQ(folder.run({"run", earlier, "--dir", dir.string()}).status, 0);
        for (const auto& item : std::filesystem::directory_iterator(dir))
            EXPECT_FALSE(item.path().filename().string().starts_with(".tovex-staging")) << "round " << round;
    }
}

}  // namespace
