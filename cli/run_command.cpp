#include "run_command.h"

#include <filesystem>
#include <fstream>
#include <exception>
#include <future>
#include <iterator>
#include <iostream>
#include <memory>
#include <system_error>

#include "fileio/atomic_file.h"
#include "check_command.h"
#include "command_error.h"
#include "findings_output.h"
#include "project_run.h"
#include "html_output.h"
#include "interruption.h"
#include "results_output.h"
#include "run_folder.h"
#include "host/unitkit.h"
#include "session/module_run.h"
#include "session/project_source.h"
#include "model/workspace.h"
#include "progress.h"
#include "projfile/projfile.h"
#include "run_results/run_journal.h"
#include "run_output.h"
#include "stored_run.h"
#include "store/store.h"

namespace tovex_cli {

using qxhost::FileWriteError;
using qxhost::PieceWriter;
using qxhost::write_file_atomically;

namespace {

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

// --strict: the check, on a copy of the project of its own, before anything
// is written; an error finding ends the command with status 4.
void refuse_unless_checked(const CommandOptions& options, Progress& progress)
{
    const auto findings = check_in_scratch(options, qxhost::session::read_project(options.project_path, progress), progress);
    if (!qxhost::checks::has_error(findings)) return;
    std::cerr << finding_lines(findings, options.notes);
    throw CommandError(exit_error_found, "--strict: the check found errors, so nothing was run or written");
}

// The project as the run left it, written with its progress shown; only
// its texts that are not UTF-8 may add a warning.
void write_state(const CommandOptions& options, const qxhost::Project& project,
                 const std::filesystem::path& state_path, const std::filesystem::path& folder, Progress& progress)
{
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
    say_kept_on_interruption("this run's reports in " + folder.string() + " and its state in " +
                             state_path.string());
    progress.end();
}

}  // namespace

int run_command(const CommandOptions& options)
{
    const InterruptHandling interrupts;
    const std::filesystem::path state_path = checked_state_path(options.state_path);
    const std::filesystem::path folder = std::filesystem::absolute(options.dir.empty() ? "." : options.dir);
    Progress progress;
    if (options.strict) refuse_unless_checked(options, progress);
    StoredRun stored(options.project_path);
    if (stored) progress.begin_timed("loading " + options.project_path);
    std::unique_ptr<qxhost::Project> read = stored ? stored.load() : qxhost::session::read_project(options.project_path, progress);
    progress.end();
    const auto module = load_module(options);
    const qxhost::session::RunRequest request = run_request(options);
    const EntryCall entry(*module, request);

    qxhost::LoadedProject loaded(std::move(read));
    qxhost::Project& project = loaded.project();
    RunFolder run_folder(folder);
    say_kept_on_interruption("nothing of this run: " + folder.string() + " holds what it held before");
    // Only a run on a store keeps the files it wrote, told by their times.
    const auto started = stored ? qxhost::store::run_start_time(folder) : std::filesystem::file_time_type{};
    qxhost::run_results::RunJournal journal;
    const int result = run_in_folder(options, entry, project, run_folder, journal, progress);
    say_kept_on_interruption("this run's reports in " + folder.string() + ", and nothing else of it");
    // The items are read from the detailed report only for what shows them.
    const bool with_items =
        stored || !options.html_path.empty() || !options.xlsx_path.empty() || !options.csv_path.empty();
    auto results = qxhost::session::results_of_run(request, result, project, folder, with_items);
    // The checks, the page and the state file only read the project: the
    // checks and the page are made on a thread of their own while the state
    // is written, which takes them off the command's path (a twentieth of a
    // large plant's command, and most of what --html adds). The page is
    // written, or its failure reported, where it always was.
    std::exception_ptr page_failed;
    std::string page;
    auto checking = std::async(std::launch::async, [&] {
        auto findings = qxhost::session::findings_of_run(request, project, results);
        if (!options.html_path.empty()) {
            try {
                page = html_for_run(options, project, result, results, journal, findings);
            } catch (...) {
                page_failed = std::current_exception();
            }
        }
        return findings;
    });
    if (!state_path.empty()) write_state(options, project, state_path, folder, progress);
    const auto findings = checking.get();
    // A run that found the project not valid posted nothing: the rates and
    // costs in the project are an earlier run's, so no table shows them.
    if (options.json) std::cout << result_json(result, project, findings);
    else if (result == 1) std::cout << utility_table(results);
    std::cout.flush();
    if (stored) {
        progress.begin_timed("keeping the run in " + options.project_path);
        stored.record(options, identity_for(options, project), result, project, results, journal, findings, folder,
                      started);
        progress.end();
    }
    if (!options.xlsx_path.empty() || !options.csv_path.empty())
        write_results_for_run(options, project, result, results, journal, findings);
    if (page_failed) std::rethrow_exception(page_failed);
    if (!options.html_path.empty()) write_html_page(options, page);
    std::cerr << warning_lines(unitkit_warnings()) << finding_lines(findings, options.notes);
    for (const std::string& name : missing_reports(options, result, run_folder)) {
        throw CommandError(exit_not_saved, "the run wrote no " + name + " into " + folder.string() +
                                               ": the module could not write it there");
    }
    // Asked while the project is loaded: the reason reads it.
    const std::string why = result == 1 ? std::string() : qxhost::session::why_not_valid(identity_for(options, project));
#ifndef TOVEX_FREE_ALL_AT_EXIT
    // The command ends right after: the project's memory goes back with the
    // process in one piece, instead of a free for every slot of a large
    // plant. The sanitized build frees it, so that a leak stays a leak.
    static_cast<void>(loaded.take().release());
#endif
    if (result == 1) return 0;
    std::cerr << "tovex: the project or its utility streams configuration is not valid: " << why << "\n";
    return 1;
}

}  // namespace tovex_cli
