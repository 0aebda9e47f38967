#include "store_command.h"

#include <iostream>

#include "fileio/atomic_file.h"
#include "command_error.h"
#include "convert_command.h"
#include "findings_output.h"
#include "html_output.h"
#include "results_output.h"
#include "progress.h"
#include "project_run.h"
#include "session/project_source.h"
#include "projfile/projfile.h"
#include "store/run_diff.h"
#include "store/store.h"
#include "store_output.h"

namespace tovex_cli {

using qxhost::FileWriteError;
using qxhost::PieceWriter;
using qxhost::write_file_atomically;

// A store's failures, like a project file's, end the command with status 2
// and their own message (main's handler): none is caught here.

int import_command(const CommandOptions& options)
{
    Progress progress;
    const auto project = qxhost::session::read_project(options.project_path, progress);
    progress.begin_timed("importing into " + options.store_path);
    const long revision = qxhost::store::import_project(options.store_path, *project, options.project_path);
    progress.end();
    std::cout << options.store_path << ": revision " << revision << " from " << options.project_path << "\n";
    // What a run of it would pass over, told now, as far as the project
    // shows it without a run (tovex check runs it).
    std::cerr << finding_lines(qxhost::checks::check_project(*project, {}), false);
    return 0;
}

int export_command(const CommandOptions& options)
{
    write_project_as(*qxhost::store::Store(options.store_path).load_project(options.run), options);
    return 0;
}

int runs_command(const CommandOptions& options)
{
    const auto runs = qxhost::store::Store(options.store_path).runs();
    std::cout << (options.json ? runs_json(runs) : runs_text(runs));
    if (runs.empty() && !options.json)
        std::cerr << "tovex: " << options.store_path << " keeps no run yet: tovex run " << options.store_path
                  << " makes one\n";
    return 0;
}

int report_command(const CommandOptions& options)
{
    qxhost::store::Store store(options.store_path);
    const qxhost::store::RunSummary run = store.run(options.run);
    const auto files = store.files(run.run);
    if (!options.html_path.empty()) write_html_for_stored_run(options, store, run, files);
    if (!options.xlsx_path.empty() || !options.csv_path.empty()) write_results_for_stored_run(options, store, run, files);
    if (options.dir.empty()) return 0;
    std::error_code error;
    std::filesystem::create_directories(options.dir, error);
    if (error) throw CommandError(exit_bad_input, "--dir " + options.dir + ": cannot make it: " + error.message());
    for (const auto& [name, bytes] : files) {
        try {
            write_file_atomically(std::filesystem::path(options.dir) / name, bytes);
        } catch (const FileWriteError& error) {
            throw CommandError(exit_bad_input, error.what());
        }
    }
    return 0;
}

int diff_command(const CommandOptions& options)
{
    const auto diff = qxhost::store::Store(options.store_path).diff(options.from_run, options.to_run, options.all);
    std::cout << (options.json ? diff_json(diff) : diff_text(diff));
    return 0;
}

}  // namespace tovex_cli
