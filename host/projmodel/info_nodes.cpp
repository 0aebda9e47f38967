// Info nodes: list elements naming a project object, which can open it.
#include "host/projmodel.h"
#include "model/workspace.h"

namespace {

// The index of the named object in the project `project` stands for, or -1.
// A hint that still names the object saves the lookup by name.
long object_index_in(CqxProject* project, std::string_view name, long hint)
{
    if (project == nullptr || !project->IsValid()) return -1;
    qxhost::Project* loaded = qxhost::Workspace::get().project_for(project->UserInstance());
    if (loaded == nullptr) return -1;
    if (hint >= 0 && hint < static_cast<long>(loaded->objects.size()) &&
        loaded->objects[static_cast<std::size_t>(hint)].name == name)
        return hint;
    return loaded->object_index(name);
}

}  // namespace

CqxObjectInfoNode::CqxObjectInfoNode(const char* name, const char*, const char*, int, int class_id, const void*)
    : name_(name ? name : ""), class_id_(class_id)
{
}

std::unique_ptr<CListNode> CqxObjectInfoNode::Clone() const { return std::make_unique<CqxObjectInfoNode>(*this); }

CqxProjectObject* CqxObjectInfoNode::Instantiate(CqxProject* project, int) const
{
    const long index = object_index_in(project, name_, index_hint_);
    return index < 0 ? nullptr : new CqxProjectObject(project, index);
}

CqxStream* CqxObjectInfoNode::InstantiateStream(CqxProject* project, int) const
{
    const long index = object_index_in(project, name_, index_hint_);
    return index < 0 ? nullptr : new CqxStream(project, index);
}

CqxConnectorInfoNode::CqxConnectorInfoNode(const char* name, const char* reserved1, const char* reserved2,
                                           int flags, int class_id, const void* reserved3, int)
    : CqxObjectInfoNode(name, reserved1, reserved2, flags, class_id, reserved3)
{
}

std::unique_ptr<CListNode> CqxConnectorInfoNode::Clone() const
{
    return std::make_unique<CqxConnectorInfoNode>(*this);
}
