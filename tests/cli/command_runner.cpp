#include "command_runner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace cli_test {

CommandFolder::CommandFolder() { std::filesystem::create_directory(work()); }

std::string CommandFolder::fixture(const std::string& name) const
{
    const std::filesystem::path target = path() / name;
    std::filesystem::copy_file(std::filesystem::path(TOVEX_CLI_FIXTURES) / name, target,
                               std::filesystem::copy_options::overwrite_existing);
    return target.string();
}

std::string CommandFolder::write(const std::string& name, const std::string& text) const
{
    const std::filesystem::path target = path() / name;
    std::ofstream(target, std::ios::binary) << text;
    return target.string();
}

std::vector<std::string> CommandFolder::work_files() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(work())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::string CommandFolder::read(const std::filesystem::path& file) const
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

pid_t CommandFolder::start(const std::vector<std::string>& arguments, const std::string& output_name) const
{
    return start_program(TOVEX_COMMAND, arguments, output_name);
}

pid_t CommandFolder::start_program(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::string& output_name) const
{
    const std::string out_path = (path() / (output_name + ".out")).string();
    const std::string err_path = (path() / (output_name + ".err")).string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + program);
    return child;
}

CommandResult CommandFolder::finish(pid_t child, const std::string& output_name) const
{
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    CommandResult result;
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    result.out = read(path() / (output_name + ".out"));
    result.err = read(path() / (output_name + ".err"));
    return result;
}

CommandResult CommandFolder::run(const std::vector<std::string>& arguments) const
{
    return finish(start(arguments, "std"), "std");
}

CommandResult CommandFolder::run_program(const std::string& program, const std::vector<std::string>& arguments) const
{
    return finish(start_program(program, arguments, "program"), "program");
}

std::string stub_module() { return TOVEX_STUB_MODULE; }

}  // namespace cli_test
