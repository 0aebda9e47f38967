// A project from wherever a user keeps it: a project file, a store, a
// workbook or a folder of CSV sheets.
#ifndef QXHOST_SESSION_PROJECT_SOURCE_H
#define QXHOST_SESSION_PROJECT_SOURCE_H

#include <memory>
#include <optional>
#include <string>

#include "model/project.h"
#include "session/progress.h"

namespace qxhost::session {

// The project file at `path`, the project a store there holds now (or as
// its run `run` left it), or the project a workbook (.xlsx) or a folder of
// CSV sheets holds. Throws ProjectFileError, sheets::WorkbookError or
// store::StoreError, whose message names the file and what is wrong.
std::unique_ptr<Project> read_project(const std::string& path, Progress& progress,
                                      std::optional<long> run = std::nullopt);

}  // namespace qxhost::session

#endif
