#include "working_directory.h"

#include <system_error>

#include "command_error.h"

namespace tovex_cli {

WorkingDirectory::WorkingDirectory(const std::filesystem::path& folder)
{
    if (folder.empty()) return;
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    if (!error) std::filesystem::current_path(folder, error);
    if (error) throw CommandError(exit_bad_input, "cannot enter " + folder.string() + ": " + error.message());
    entered_ = true;
}

WorkingDirectory::~WorkingDirectory()
{
    // Every path the command still uses is absolute, so a folder that went
    // away meanwhile does no harm.
    if (!entered_) return;
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

}  // namespace tovex_cli
