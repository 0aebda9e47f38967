#include "session/working_directory.h"

#include <system_error>

#include "session/module.h"

namespace qxhost::session {

WorkingDirectory::WorkingDirectory(const std::filesystem::path& folder)
{
    if (folder.empty()) return;
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    if (!error) std::filesystem::current_path(folder, error);
    if (error) throw SessionError("cannot enter " + folder.string() + ": " + error.message());
    entered_ = true;
}

WorkingDirectory::~WorkingDirectory()
{
    // Every path the caller still uses is absolute, so a folder that went
    // away meanwhile does no harm.
    if (!entered_) return;
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

}  // namespace qxhost::session
