// Finding a handle's project object again in the loaded project.
#ifndef QXHOST_PROJMODEL_OBJECT_ACCESS_H
#define QXHOST_PROJMODEL_OBJECT_ACCESS_H

#include <cstdint>

#include "model/workspace.h"

namespace qxhost {

// The object at `index` of the project that `instance` names, or null;
// `owner` (when given) receives that project.
inline Object* resolve_object(std::uint32_t instance, long index, Project** owner = nullptr)
{
    Project* project = Workspace::get().project_for(instance);
    if (project == nullptr || index < 0 || index >= static_cast<long>(project->objects.size())) return nullptr;
    if (owner != nullptr) *owner = project;
    return &project->objects[static_cast<std::size_t>(index)];
}

}  // namespace qxhost

#endif
