#include "session/scratch_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "session/module.h"

namespace qxhost::session {

ScratchFolder::ScratchFolder(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw SessionError("cannot make a scratch folder in " + std::filesystem::temp_directory_path().string() + ": " +
                           std::strerror(errno));
    path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace qxhost::session
