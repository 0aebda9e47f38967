// What the host's own code and its tests use of the workspace: the loaded
// project and the fault injection of slot writes.
#ifndef QXHOST_OBJSTORE_WORKSPACE_H
#define QXHOST_OBJSTORE_WORKSPACE_H

#include <memory>

#include "host/workspace.h"
#include "objstore/fault_injection.h"

namespace qxhost {

// Loads a project into the workspace for as long as it lives, and unloads
// it on every path, so that a run that throws leaves no project behind.
class LoadedProject {
public:
    explicit LoadedProject(std::unique_ptr<Project> project) { Workspace::get().load(std::move(project)); }
    ~LoadedProject() { Workspace::get().unload(); }
    LoadedProject(const LoadedProject&) = delete;
    LoadedProject& operator=(const LoadedProject&) = delete;

    Project& project() { return *Workspace::get().project(); }
};

}  // namespace qxhost

#endif
