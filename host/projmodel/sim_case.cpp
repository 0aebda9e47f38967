// CqxSimCase: the project's simulation case. A case is valid when the
// project has one, marked valid, and the names match; its simulator type is
// reported whether it is valid or not (0 when the project has no case).
#include "host/projmodel.h"
#include "model/workspace.h"

namespace {

const qxhost::Project* project_with_case(std::uint32_t instance)
{
    const qxhost::Project* project = qxhost::Workspace::get().project_for(instance);
    return project != nullptr && project->has_sim_case ? project : nullptr;
}

const qxhost::Project* project_with_valid_case(std::uint32_t instance)
{
    const qxhost::Project* project = project_with_case(instance);
    return project != nullptr && project->sim_case_valid ? project : nullptr;
}

}  // namespace

// The simulator type asked for does not select a case: the project has one
// case, whose type SimType() reports.
CqxSimCase::CqxSimCase(std::uint32_t instance, const void*, const char* name1, const char* name2, int, int)
    : instance_(instance), valid_(false), sim_type_(0)
{
    const qxhost::Project* project = project_with_case(instance_);
    if (project == nullptr) return;
    sim_type_ = project->sim_type;
    valid_ = project->sim_case_valid && project->name == (name1 ? name1 : "") &&
             project->scenario == (name2 ? name2 : "");
}

CqxSimCase::~CqxSimCase() = default;

int CqxSimCase::IsValid() const { return valid_ && project_with_valid_case(instance_) != nullptr ? 1 : 0; }

std::uint32_t CqxSimCase::UserInstance() const
{
    const qxhost::Project* project = IsValid() ? project_with_valid_case(instance_) : nullptr;
    return project == nullptr ? instance_ : project->instance;
}

int CqxSimCase::SimType() const { return project_with_case(instance_) != nullptr ? sim_type_ : 0; }
