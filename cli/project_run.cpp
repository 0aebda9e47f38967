#include "project_run.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "command_error.h"
#include "model/workspace.h"
#include "session/module_run.h"
#include "session/scratch_folder.h"

namespace tovex_cli {

namespace {

constexpr const char* module_file_name = "libtovex.so.0";

std::string default_module_path()
{
    std::error_code error;
    const std::filesystem::path command = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path prefix = command.parent_path().parent_path();
        // The build tree and most installs use lib; an install may name its
        // library folder otherwise (lib64, lib/<triplet>).
        for (const char* folder : {"lib", TOVEX_INSTALL_LIBDIR}) {
            const std::filesystem::path candidate = prefix / folder / module_file_name;
            if (std::filesystem::exists(candidate, error)) return candidate.string();
        }
    }
    return module_file_name;
}

}  // namespace

qxhost::session::RunRequest run_request(const CommandOptions& options)
{
    using Call = qxhost::session::RunRequest::Call;
    qxhost::session::RunRequest request;
    request.call = options.action == CommandOptions::Action::pass ? Call::pass
                   : options.reduced                                ? Call::reduced
                                                                    : Call::full;
    request.class_id = options.class_id;
    request.record = options.record;
    request.instance = options.instance;
    request.name = options.name;
    request.scenario = options.scenario;
    return request;
}

ProjectIdentity identity_for(const CommandOptions& options, const qxhost::Project& project)
{
    return qxhost::session::identity_for(run_request(options), project);
}

std::unique_ptr<Module> load_module(const CommandOptions& options)
{
    // Under the sanitizers the module stays loaded, so that leak reports can
    // still name its functions.
#ifdef TOVEX_KEEP_MODULE_LOADED
    constexpr bool keep_loaded = true;
#else
    constexpr bool keep_loaded = false;
#endif
    return std::make_unique<Module>(options.module_path.empty() ? default_module_path() : options.module_path,
                                    keep_loaded);
}

int run_in_folder(const CommandOptions& options, const EntryCall& entry, qxhost::Project& project,
                  RunFolder& folder, qxhost::run_results::RunJournal& journal, Progress& progress)
{
    const int result = qxhost::session::run_in(
        run_request(options), entry, project, folder.staging(),
        [&](std::string_view name) { folder.carry_in(name); }, journal, progress);
    folder.put_in_place();
    return result;
}

std::vector<std::string> missing_reports(const CommandOptions& options, int result, const RunFolder& folder)
{
    std::vector<std::string> missing;
    for (const std::string& name : qxhost::session::expected_reports(run_request(options), result)) {
        if (!std::binary_search(folder.placed().begin(), folder.placed().end(), name)) missing.push_back(name);
    }
    return missing;
}

std::vector<qxhost::checks::Finding> check_in_scratch(const CommandOptions& asked,
                                                      std::unique_ptr<qxhost::Project> project, Progress& progress)
{
    // `check` checks the full run.
    CommandOptions options = asked;
    if (options.action == CommandOptions::Action::check) options.action = CommandOptions::Action::run;
    const auto module = load_module(options);
    const qxhost::session::RunRequest request = run_request(options);
    const EntryCall entry(*module, request);
    qxhost::LoadedProject loaded(std::move(project));
    const qxhost::session::ScratchFolder scratch("tovex-check-");
    const RemovedOnInterruption removed(scratch.path());
    RunFolder folder(scratch.path());
    qxhost::run_results::RunJournal journal;
    const int result = run_in_folder(options, entry, loaded.project(), folder, journal, progress);
    const auto results = qxhost::session::results_of_run(request, result, loaded.project(), scratch.path(), false);
    return qxhost::session::findings_of_run(request, loaded.project(), results);
}

}  // namespace tovex_cli
