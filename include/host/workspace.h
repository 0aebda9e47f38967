// The workspace: the one loaded project of the reference host. Host objects
// are handles that resolve names against it on every access, so a handle
// never dangles; a host object constructed while no project is loaded is
// not valid.
#ifndef HOST_WORKSPACE_H
#define HOST_WORKSPACE_H

#include <cstdint>
#include <memory>

#include "host/project_model.h"
#include "host/visibility.h"

namespace qxhost {

class QXHOST_API Workspace {
public:
    constexpr Workspace() = default;
    // Inline: the host asks for the workspace at nearly every access.
    static Workspace& get() { return instance_; }

    // Replaces the loaded project (if any): indexes it and sets the unit
    // system.
    void load(std::unique_ptr<Project> project);
    void unload();
    Project* project() { return project_.get(); }
    // The loaded project when `instance` is its user instance or 0, else null.
    Project* project_for(std::uint32_t instance)
    {
        if (!project_) return nullptr;
        return instance == 0 || instance == project_->instance ? project_.get() : nullptr;
    }

    // The object list of CqxProject::InitObjectList.
    bool object_list_built = false;

private:
    static Workspace instance_;
    std::unique_ptr<Project> project_;
};

}  // namespace qxhost

#endif
