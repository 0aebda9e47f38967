// Running the built tovex command in a scratch folder over copies of the
// fixture projects.
#ifndef TOVEX_TESTS_CLI_COMMAND_RUNNER_H
#define TOVEX_TESTS_CLI_COMMAND_RUNNER_H

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/support.h"

namespace cli_test {

struct CommandResult {
    int status = -1;  // exit status; -1 when the command did not exit normally
    std::string out;
    std::string err;
};

// A scratch folder holding copies of fixtures and an empty "work" folder
// for --dir; the command's output is captured outside "work".
class CommandFolder {
public:
    CommandFolder();

    // Copies tests/fixtures/cli/NAME into the folder; returns its path.
    std::string fixture(const std::string& name) const;
    // Writes `text` as the file NAME in the folder; returns its path.
    std::string write(const std::string& name, const std::string& text) const;
    std::filesystem::path path() const { return scratch_.path(); }
    std::filesystem::path work() const { return scratch_.path() / "work"; }
    // The files in "work", sorted.
    std::vector<std::string> work_files() const;
    std::string read(const std::filesystem::path& path) const;

    // Runs the command with `arguments` (the working directory is the
    // scratch folder).
    CommandResult run(const std::vector<std::string>& arguments) const;
    // The same in two halves, for commands that run side by side or are
    // stopped: standard output and error go to OUTPUT_NAME.out and .err.
    pid_t start(const std::vector<std::string>& arguments, const std::string& output_name) const;
    CommandResult finish(pid_t child, const std::string& output_name) const;
    // Another program (by its path), run the same way.
    CommandResult run_program(const std::string& program, const std::vector<std::string>& arguments) const;
    pid_t start_program(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& output_name) const;

private:
    tovex_test::ScratchDir scratch_;
};

// The stand-in module (see stub_module.cpp).
std::string stub_module();

}  // namespace cli_test

#endif
