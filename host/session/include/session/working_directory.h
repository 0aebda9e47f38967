// Making a folder the process's working directory for a while.
#ifndef QXHOST_SESSION_WORKING_DIRECTORY_H
#define QXHOST_SESSION_WORKING_DIRECTORY_H

#include <filesystem>

namespace qxhost::session {

class WorkingDirectory {
public:
    // Enters `folder` (an empty path stays where it is); throws SessionError
    // when it cannot.
    explicit WorkingDirectory(const std::filesystem::path& folder);
    // Returns to the previous working directory.
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
    bool entered_ = false;
};

}  // namespace qxhost::session

#endif
