// The folder a run writes into (--dir), made when missing, and the staging
// folder inside it where the module writes: the reports are moved into
// place only once the run has ended, so that a run that is stopped never
// leaves a report cut short beside whole ones.
#ifndef TOVEX_CLI_RUN_FOLDER_H
#define TOVEX_CLI_RUN_FOLDER_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interruption.h"

namespace tovex_cli {

class RunFolder {
public:
    // Makes `folder` (and its parents) when missing, and a staging folder of
    // this process in it. Throws CommandError (status 2) naming the folder
    // when it cannot be made or written.
    explicit RunFolder(const std::filesystem::path& folder);
    // Removes the staging folder with what it still holds.
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& staging() const { return staging_; }

    // Copies the file `name` of the folder into the staging folder, when
    // there is one: a file the run reads but the project does not give.
    void carry_in(std::string_view name) const;

    // Moves every file of the staging folder into the folder, each by one
    // rename, while an interruption waits.
    void put_in_place();
    // The names of the files put in place, sorted.
    const std::vector<std::string>& placed() const { return placed_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path staging_;
    std::optional<RemovedOnInterruption> removed_;
    std::vector<std::string> placed_;
};

}  // namespace tovex_cli

#endif
