// Making a folder the process's working directory for a while.
#ifndef TOVEX_CLI_WORKING_DIRECTORY_H
#define TOVEX_CLI_WORKING_DIRECTORY_H

#include <filesystem>

namespace tovex_cli {

class WorkingDirectory {
public:
    // Enters `folder` (an empty path stays where it is); throws CommandError
    // (exit status 2) when it cannot.
    explicit WorkingDirectory(const std::filesystem::path& folder);
    // Returns to the previous working directory.
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
    bool entered_ = false;
};

}  // namespace tovex_cli

#endif
