// tovex: runs the utility calculation module on a project file.
#include <exception>
#include <iostream>

#include "command_error.h"
#include "command_line.h"
#include "run_command.h"

int main(int argc, char** argv)
{
    tovex_cli::CommandOptions options;
    if (const auto status = tovex_cli::parse_command_line(argc, argv, options)) return *status;
    try {
        return tovex_cli::run_command(options);
    } catch (const tovex_cli::CommandError& error) {
        std::cerr << "tovex: " << error.what() << "\n";
        return error.status();
    } catch (const std::exception& error) {
        std::cerr << "tovex: " << error.what() << "\n";
        return tovex_cli::exit_bad_input;
    }
}
