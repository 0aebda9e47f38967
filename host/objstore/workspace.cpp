// The workspace: the one loaded project.
#include "model/workspace.h"

#include "host/unitkit.h"

namespace qxhost {

// Made at compile time, so that it is there before any static object asks.
constinit Workspace Workspace::instance_;

void Workspace::load(std::unique_ptr<Project> project)
{
    project_ = std::move(project);
    object_list_built = false;
    writes_.reset();
    if (!project_) return;
    writes_ = std::make_unique<ProjectWrites>();
    project_->index_unless_built();
    unitkit_set_unit_type(project_->unit_system);
}

std::unique_ptr<Project> Workspace::take()
{
    std::unique_ptr<Project> project = std::move(project_);
    unload();
    return project;
}

void Workspace::unload()
{
    project_.reset();
    writes_.reset();
    object_list_built = false;
    unitkit_set_unit_type(0);
}

}  // namespace qxhost
