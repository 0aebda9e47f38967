// tovex: runs the utility calculation module on a project file, and keeps
// projects in stores.
#include <exception>
#include <iostream>

#include "check_command.h"
#include "command_error.h"
#include "convert_command.h"
#include "command_line.h"
#include "run_command.h"
#include "store_command.h"

int main(int argc, char** argv)
{
    tovex_cli::CommandOptions options;
    if (const auto status = tovex_cli::parse_command_line(argc, argv, options)) return *status;
    try {
        switch (options.action) {
        case tovex_cli::CommandOptions::Action::check:
            return tovex_cli::check_command(options);
        case tovex_cli::CommandOptions::Action::convert:
            return tovex_cli::convert_command(options);
        case tovex_cli::CommandOptions::Action::make_template:
            return tovex_cli::template_command(options);
        case tovex_cli::CommandOptions::Action::import_project:
            return tovex_cli::import_command(options);
        case tovex_cli::CommandOptions::Action::export_project:
            return tovex_cli::export_command(options);
        case tovex_cli::CommandOptions::Action::list_runs:
            return tovex_cli::runs_command(options);
        case tovex_cli::CommandOptions::Action::write_report:
            return tovex_cli::report_command(options);
        case tovex_cli::CommandOptions::Action::compare_runs:
            return tovex_cli::diff_command(options);
        default:
            return tovex_cli::run_command(options);
        }
    } catch (const tovex_cli::CommandError& error) {
        std::cerr << "tovex: " << error.what() << "\n";
        return error.status();
    } catch (const std::exception& error) {
        std::cerr << "tovex: " << error.what() << "\n";
        return tovex_cli::exit_bad_input;
    }
}
