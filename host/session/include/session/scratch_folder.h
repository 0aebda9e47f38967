// A folder of its own under the system's temporary folder, removed with all
// it holds when it goes, however the work in it ends: where a check or a
// script's run writes its reports.
#ifndef QXHOST_SESSION_SCRATCH_FOLDER_H
#define QXHOST_SESSION_SCRATCH_FOLDER_H

#include <filesystem>
#include <string>

namespace qxhost::session {

class ScratchFolder {
public:
    // Throws SessionError naming the temporary folder when it cannot.
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace qxhost::session

#endif
