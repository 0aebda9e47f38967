#include "store_command.h"

#include <cstdio>
#include <iostream>

#include <nlohmann/json.hpp>

#include "atomic_file.h"
#include "command_error.h"
#include "projfile/projfile.h"
#include "store/store.h"

namespace tovex_cli {

int import_command(const CommandOptions& options)
{
    try {
        const auto project = qxhost::read_project_file(options.project_path);
        const long revision = qxhost::store::import_project(options.store_path, *project, options.project_path);
        std::cout << options.store_path << ": revision " << revision << " from " << options.project_path << "\n";
        return 0;
    } catch (const qxhost::ProjectFileError& error) {
        throw CommandError(exit_bad_input, error.what());
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

int export_command(const CommandOptions& options)
{
    std::string text;
    try {
        text = qxhost::write_project_json(*qxhost::store::load_project(options.store_path, options.run));
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    if (options.output_path.empty()) {
        std::cout << text;
        return 0;
    }
    try {
        write_file_atomically(options.output_path, text);
    } catch (const FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    return 0;
}

namespace {

std::string run_call(const qxhost::store::RunSummary& run)
{
    if (run.call != "pass") return run.call;
    std::string text = "pass " + std::to_string(run.class_id.value_or(0));
    if (run.record.value_or(0) != 0) text += " --record";
    return text;
}

std::string total_text(const std::optional<double>& total)
{
    if (!total) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", *total);
    return text;
}

}  // namespace

int runs_command(const CommandOptions& options)
{
    std::vector<qxhost::store::RunSummary> runs;
    try {
        runs = qxhost::store::list_runs(options.store_path);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    if (options.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const auto& run : runs) {
            nlohmann::ordered_json json = {{"run", run.run},       {"revision", run.revision},
                                           {"time", run.started_utc}, {"call", run.call},
                                           {"result", run.result}};
            if (run.class_id) json["class"] = *run.class_id;
            if (run.record) json["record"] = *run.record != 0;
            json["total_per_period"] = run.total_per_period ? nlohmann::ordered_json(*run.total_per_period) : nullptr;
            list.push_back(std::move(json));
        }
        std::cout << list.dump(2) << "\n";
        return 0;
    }
    for (const auto& run : runs) {
        std::cout << run.run << "  " << run.started_utc << "  " << run_call(run) << "  result " << run.result
                  << "  total per period " << total_text(run.total_per_period) << "\n";
    }
    return 0;
}

int report_command(const CommandOptions& options)
{
    std::vector<std::pair<std::string, std::string>> files;
    try {
        files = qxhost::store::run_files(options.store_path, options.run);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    for (const auto& [name, bytes] : files) {
        try {
            write_file_atomically(std::filesystem::path(options.dir) / name, bytes);
        } catch (const FileWriteError& error) {
            throw CommandError(exit_bad_input, error.what());
        }
    }
    return 0;
}

}  // namespace tovex_cli
