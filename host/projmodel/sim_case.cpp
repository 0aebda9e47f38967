// CqxSimCase: the project's simulation case, when it has a valid one.
#include "host/projmodel.h"
#include "objstore/workspace.h"

namespace {

const qxhost::Project* project_with_case(std::uint32_t instance)
{
    const qxhost::Project* project = qxhost::Workspace::get().project_for(instance);
    return project != nullptr && project->has_sim_case && project->sim_case_valid ? project : nullptr;
}

}  // namespace

// The simulator type asked for does not select a case: the project has one
// case, whose type SimType() reports.
CqxSimCase::CqxSimCase(std::uint32_t instance, const void*, const char* name1, const char* name2, int, int)
    : instance_(instance), valid_(false), sim_type_(0)
{
    const qxhost::Project* project = project_with_case(instance_);
    if (project == nullptr) return;
    valid_ = project->name == (name1 ? name1 : "") && project->scenario == (name2 ? name2 : "");
    if (valid_) sim_type_ = project->sim_type;
}

CqxSimCase::~CqxSimCase() = default;

int CqxSimCase::IsValid() const { return valid_ && project_with_case(instance_) != nullptr ? 1 : 0; }

std::uint32_t CqxSimCase::UserInstance() const
{
    const qxhost::Project* project = IsValid() ? project_with_case(instance_) : nullptr;
    return project == nullptr ? instance_ : project->instance;
}

int CqxSimCase::SimType() const { return IsValid() ? sim_type_ : 0; }
