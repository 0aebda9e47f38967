// A failure that ends the command with an exit status and a message.
#ifndef TOVEX_CLI_COMMAND_ERROR_H
#define TOVEX_CLI_COMMAND_ERROR_H

#include <stdexcept>
#include <string>

namespace tovex_cli {

// Exit statuses besides 0 (the run reached its end) and 1 (the project or
// its utility streams configuration is not valid).
inline constexpr int exit_bad_input = 2;     // bad command line, project file or module; nothing written
inline constexpr int exit_not_saved = 3;     // the run was made but its state file could not be written

class CommandError : public std::runtime_error {
public:
    CommandError(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

}  // namespace tovex_cli

#endif
