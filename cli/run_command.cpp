#include "run_command.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <iostream>
#include <memory>
#include <system_error>

#include "fileio/atomic_file.h"
#include "fileio/whole_file.h"
#include "model/cost_row_lists.h"
#include "command_error.h"
#include "entry_call.h"
#include "html_output.h"
#include "host/unitkit.h"
#include "model/run_inputs.h"
#include "module.h"
#include "model/workspace.h"
#include "progress.h"
#include "projfile/projfile.h"
#include "run_results/run_journal.h"
#include "run_output.h"
#include "stored_run.h"
#include "store/store.h"
#include "working_directory.h"
#include "tovex/results_layout.h"

namespace tovex_cli {

using qxhost::FileWriteError;
using qxhost::PieceWriter;
using qxhost::write_file_atomically;

namespace {

std::unique_ptr<qxhost::Project> read_project(const std::string& path, Progress& progress)
{
    try {
        return qxhost::read_project_file(path, reading_file(progress, path));
    } catch (const qxhost::ProjectFileError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

// The state file's path, made absolute now: the run changes the working
// directory. Its folder must exist before anything is written.
std::filesystem::path checked_state_path(const std::string& state)
{
    if (state.empty()) return {};
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(state, error);
    if (error) throw CommandError(exit_bad_input, "--state " + state + ": " + error.message());
    if (std::filesystem::is_directory(path, error)) {
        throw CommandError(exit_bad_input, "--state " + state + ": is a directory");
    }
    if (!std::filesystem::is_directory(path.parent_path(), error)) {
        throw CommandError(exit_bad_input, "--state " + state + ": folder " + path.parent_path().string() +
                                               " does not exist");
    }
    return path;
}

ProjectIdentity identity_for(const CommandOptions& options, const qxhost::Project& project)
{
    return ProjectIdentity{options.instance.value_or(project.instance), options.name.value_or(project.name),
                           options.scenario.value_or(project.scenario)};
}

void write_electrical_load_file(const qxhost::Project& project)
{
    const auto text = qxhost::electrical_load_file_text(project);
    if (!text) return;  // a file already in the folder is used as it is
    try {
        write_file_atomically(std::string(tovex::layout::electrical_load_file), *text);
    } catch (const FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

// The run itself, inside the working directory: returns the entry point's
// result, with the value lists copied back into the project's cost rows,
// and the journal of what it wrote.
int run_in_folder(const CommandOptions& options, const EntryCall& entry, qxhost::Project& project,
                  qxhost::run_results::RunJournal& journal, Progress& progress)
{
    WorkingDirectory folder(options.dir);
    write_electrical_load_file(project);
    qxhost::CallerLists lists(project.cost_rows);
    unitkit_clear_warnings();
    const qxhost::run_results::JournalKeeper keeper(project.cost_rows);
    progress.begin_timed(options.action == CommandOptions::Action::pass ? "running the pass" : "running the calculation");
    const int result = entry.call(identity_for(options, project), lists);
    progress.end();
    lists.copy_values_to(project.cost_rows);
    journal = keeper.journal();
    return result;
}

// The file's bytes; empty when it cannot be read.
std::string file_text(const std::filesystem::path& path)
{
    return qxhost::read_whole_file(path).value_or(std::string());
}

// What the run left, read back from the project and the reports it wrote;
// the items only for those that keep or show them (`with_items`). A pass
// writes no report, the reduced run no detailed report, and a run that
// found the project not valid nothing: a report in the folder is then an
// earlier run's.
qxhost::run_results::RunResults results_of_run(const CommandOptions& options, int result, const qxhost::Project& project,
                                           const std::filesystem::path& folder, bool with_items)
{
    const bool pass = options.action == CommandOptions::Action::pass;
    const bool wrote_summary = result == 1 && !pass;
    const bool wrote_detailed = wrote_summary && !options.reduced;
    const std::string summary = wrote_summary ? file_text(folder / tovex::layout::summary_report) : std::string();
    std::optional<qxhost::MappedFile> detailed;
    if (with_items && wrote_detailed) detailed.emplace(folder / tovex::layout::detailed_report);
    return qxhost::run_results::run_results(
        project, summary,
        with_items ? std::optional<std::string_view>(detailed ? detailed->text() : "") : std::nullopt);
}

}  // namespace

int run_command(const CommandOptions& options)
{
    const std::filesystem::path state_path = checked_state_path(options.state_path);
    const std::filesystem::path folder = std::filesystem::absolute(options.dir.empty() ? "." : options.dir);
    Progress progress;
    StoredRun stored(options.project_path);
    if (stored) progress.begin_timed("loading " + options.project_path);
    std::unique_ptr<qxhost::Project> read = stored ? stored.load() : read_project(options.project_path, progress);
    progress.end();
    const Module module(options.module_path.empty() ? default_module_path() : options.module_path);
    const EntryCall entry(module, options);

    qxhost::LoadedProject loaded(std::move(read));
    qxhost::Project& project = loaded.project();
    // Only a run on a store keeps the files it wrote, told by their times.
    const auto started = stored ? qxhost::store::run_start_time(folder) : std::filesystem::file_time_type{};
    qxhost::run_results::RunJournal journal;
    const int result = run_in_folder(options, entry, project, journal, progress);
    auto results = results_of_run(options, result, project, folder, stored || !options.html_path.empty());

    if (!state_path.empty()) {
        progress.begin("writing " + options.state_path);
        try {
            std::uint64_t written = 0;
            write_file_atomically(state_path, [&](const PieceWriter& write) {
                qxhost::write_project_json(project, [&](std::string_view piece) {
                    write(piece);
                    progress.advance(written += piece.size());
                });
            });
        } catch (const FileWriteError& error) {
            throw CommandError(exit_not_saved, error.what());
        }
    }
    progress.end();
    std::cout << (options.json ? result_json(result, project) : utility_table(results));
    std::cout.flush();
    if (stored) {
        progress.begin_timed("keeping the run in " + options.project_path);
        stored.record(options, identity_for(options, project), result, project, results, journal, folder, started);
        progress.end();
    }
    if (!options.html_path.empty()) write_html_for_run(options, project, result, std::move(results), journal);
    std::cerr << warning_lines(unitkit_warnings());
    if (result == 1) return 0;
    std::cerr << "tovex: the project or its utility streams configuration is not valid: "
              << why_not_valid(identity_for(options, project)) << "\n";
    return 1;
}

}  // namespace tovex_cli
