#include "stored_run.h"

#include <array>
#include <fstream>
#include <sstream>
#include <system_error>

#include "command_error.h"
#include "host/unitkit.h"

namespace tovex_cli {

namespace {

// The files a run leaves in its working directory: the load file it read,
// then the reports. A report counts only when this run wrote it: a reduced
// run leaves an earlier full run's detailed report where it was.
constexpr std::array<const char*, 5> run_file_names = {"KVT_ELEC.TMP", "UtilRes.Txt", "UtilRes_DA.Txt",
                                                       "UtilRes2.Txt", "UtilRes2_DA.Txt"};

std::string file_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string call_of(const CommandOptions& options)
{
    if (options.action == CommandOptions::Action::pass) return "pass";
    return options.reduced ? "reduced" : "full";
}

}  // namespace

StoredRun::StoredRun(const std::string& path) : path_(path)
{
    if (!qxhost::store::looks_like_store(path)) return;
    try {
        session_ = std::make_unique<qxhost::store::RunSession>(path);
        usage_ = std::make_unique<qxhost::store::UsageWatcher>();
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

std::unique_ptr<qxhost::Project> StoredRun::load()
{
    try {
        return session_->load();
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

void StoredRun::record(const CommandOptions& options, const ProjectIdentity& identity, int result,
                       const qxhost::Project& project, const std::filesystem::path& folder,
                       std::filesystem::file_time_type started)
{
    qxhost::store::RunRecord run;
    run.call = call_of(options);
    if (options.action == CommandOptions::Action::pass) {
        run.class_id = options.class_id;
        run.record = options.record ? 1 : 0;
    }
    run.instance = identity.instance;
    run.name = identity.name;
    run.scenario = identity.scenario;
    run.result = result;
    run.warnings = unitkit_warnings();
    run.usage_written = usage_->usage_written();
    run.usage_costs = usage_->costs();
    for (const char* name : run_file_names) {
        const std::filesystem::path file = folder / name;
        std::error_code error;
        const auto written = std::filesystem::last_write_time(file, error);
        if (error) continue;
        if (std::string_view(name) != "KVT_ELEC.TMP" && written < started) continue;
        run.files.emplace_back(name, file_bytes(file));
    }
    try {
        session_->record(project, run);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_not_saved, error.what());
    }
}

}  // namespace tovex_cli
