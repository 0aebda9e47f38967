// The command line of the tovex command.
#ifndef TOVEX_CLI_COMMAND_LINE_H
#define TOVEX_CLI_COMMAND_LINE_H

#include <cstdint>
#include <optional>
#include <string>

namespace tovex_cli {

struct CommandOptions {
    enum class Action { run, pass, check, convert, make_template, import_project, export_project, list_runs, write_report, compare_runs };
    Action action = Action::run;
    std::string project_path;
    std::string store_path;    // import, export
    std::string output_path;   // export, convert: empty for standard output
    std::string csv_path;      // convert, export, template: the project's sheets; run, pass, report: the results
    std::string xlsx_path;     // convert, export, template: the project's workbook; run, pass, report: the results
    bool example = false;      // template: the example plant instead of an empty workbook
    std::optional<long> run;   // export, report: the run (default: the latest)
    long from_run = 0;         // diff
    long to_run = 0;           // diff
    bool all = false;          // diff: keep the rows that did not change
    bool reduced = false;      // run: the run without equipment information
    std::int32_t class_id = 0; // pass
    bool record = false;       // pass: record equipment information
    std::string dir;           // working directory of the run; empty: the current one
    std::string state_path;    // empty: no state file
    std::string html_path;     // run, pass, report: empty for no HTML report
    bool json = false;
    bool strict = false;       // run, pass: refuse to run when the check finds an error
    bool notes = false;        // run, pass: list the notes among the findings
    std::optional<std::uint32_t> instance;
    std::optional<std::string> name;
    std::optional<std::string> scenario;
    std::string module_path;   // empty: the default module
};

// Fills `options` from the command line. Returns the exit status when the
// command is to end here (help asked for: 0; a bad command line: 2, with
// the reason on standard error), else nothing.
std::optional<int> parse_command_line(int argc, char** argv, CommandOptions& options);

}  // namespace tovex_cli

#endif
