// CqxProject: the loaded project, when the instance and both texts match.
#include "host/projmodel.h"
#include "model/workspace.h"

namespace {

bool same_text(const char* given, const std::string& stored) { return stored == (given ? given : ""); }

}  // namespace

CqxProject::CqxProject(std::uint32_t instance, const char* name1, const char* name2, int, const void*,
                       const void*, int)
    : instance_(instance), valid_(false)
{
    const qxhost::Project* project = qxhost::Workspace::get().project_for(instance_);
    valid_ = project != nullptr && same_text(name1, project->name) && same_text(name2, project->scenario);
}

CqxProject::~CqxProject() = default;

int CqxProject::IsValid() const { return valid_ && qxhost::Workspace::get().project_for(instance_) ? 1 : 0; }

// Instance 0 names the loaded project; its own instance is reported then.
std::uint32_t CqxProject::UserInstance() const
{
    const qxhost::Project* project = valid_ ? qxhost::Workspace::get().project_for(instance_) : nullptr;
    return project == nullptr ? instance_ : project->instance;
}

std::string CqxProject::ProjectName() const
{
    const qxhost::Project* project = valid_ ? qxhost::Workspace::get().project_for(instance_) : nullptr;
    return project == nullptr ? std::string() : project->name;
}

std::string CqxProject::ScenarioName() const
{
    const qxhost::Project* project = valid_ ? qxhost::Workspace::get().project_for(instance_) : nullptr;
    return project == nullptr ? std::string() : project->scenario;
}

CqxObjectInfoList* CqxProject::GetStreams(int class_id)
{
    const qxhost::Project* project = IsValid() ? qxhost::Workspace::get().project_for(instance_) : nullptr;
    if (project == nullptr) return nullptr;
    const auto found = project->index.objects_by_class.find(class_id);
    if (found == project->index.objects_by_class.end() || found->second.empty()) return nullptr;
    auto list = std::make_unique<CqxObjectInfoList>();
    for (const long index : found->second) {
        const qxhost::Object& object = project->objects[static_cast<std::size_t>(index)];
        // Made in place: appending a copy would copy its texts again.
        auto node = std::make_unique<CqxObjectInfoNode>(object.name.c_str(), nullptr, nullptr, 0, object.class_id,
                                                        nullptr);
        node->SetIndexHint(index);
        list->Append(std::move(node));
    }
    return list.release();
}

int CqxProject::InitObjectList()
{
    if (!IsValid()) return 0;
    qxhost::Workspace::get().object_list_built = true;
    return 1;
}

CqxProjectObject* CqxProject::FindObjectByRefID(std::uint32_t ref_id)
{
    qxhost::Workspace& workspace = qxhost::Workspace::get();
    if (!workspace.object_list_built || !IsValid()) return nullptr;
    const qxhost::Project* project = workspace.project_for(instance_);
    const auto found = project->index.object_by_ref_id.find(ref_id);
    if (found == project->index.object_by_ref_id.end()) return nullptr;
    return new CqxProjectObject(this, found->second);
}

void CqxProject::DeleteObjectList() { qxhost::Workspace::get().object_list_built = false; }
