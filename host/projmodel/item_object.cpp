// CqxItemObject: a project object found again by its index on every access,
// with the connections that name it in the role it was opened in.
#include "host/projmodel.h"
#include "projmodel/object_access.h"

CqxItemObject::CqxItemObject(CqxProject* project, std::string_view name, int class_id, Role role) : role_(role)
{
    if (project == nullptr || !project->IsValid()) return;
    instance_ = project->UserInstance();
    qxhost::Project* loaded = qxhost::Workspace::get().project_for(instance_);
    if (loaded == nullptr) return;
    const long index = loaded->object_index(name);
    if (index >= 0 && loaded->objects[static_cast<std::size_t>(index)].class_id == class_id) index_ = index;
}

CqxItemObject::CqxItemObject(CqxProject* project, long index, Role role) : role_(role)
{
    if (project == nullptr || !project->IsValid()) return;
    instance_ = project->UserInstance();
    index_ = index;
}

CqxItemObject::~CqxItemObject() = default;

int CqxItemObject::IsValid() const { return qxhost::resolve_object(instance_, index_) != nullptr ? 1 : 0; }

std::uint32_t CqxItemObject::UserInstance() const { return instance_; }

std::string CqxItemObject::ObjectName() const
{
    const qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    return object == nullptr ? std::string() : object->name;
}

int CqxItemObject::ClassId() const
{
    const qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    return object == nullptr ? 0 : object->class_id;
}

std::string CqxItemObject::ProjectName() const
{
    qxhost::Project* project = nullptr;
    return qxhost::resolve_object(instance_, index_, &project) == nullptr ? std::string() : project->name;
}

std::string CqxItemObject::ScenarioName() const
{
    qxhost::Project* project = nullptr;
    return qxhost::resolve_object(instance_, index_, &project) == nullptr ? std::string() : project->scenario;
}

// Both views of the connections give the same nodes: the object at the other
// end of each connection and the connector's name.
CqxConnectorInfoList* CqxItemObject::GetConnectors(int direction, int, const void*)
{
    return GetConnectedObjects(direction, nullptr, nullptr);
}

CqxConnectorInfoList* CqxItemObject::GetConnectedObjects(int direction, const void*, const void*)
{
    qxhost::Project* project = nullptr;
    if (qxhost::resolve_object(instance_, index_, &project) == nullptr) return nullptr;
    const bool as_stream = role_ == Role::stream;
    const auto [first, last] = (as_stream ? project->index.connections_by_stream : project->index.connections_by_item).of(index_);

    auto list = std::make_unique<CqxConnectorInfoList>();
    for (const std::uint32_t* at = first; at != last; ++at) {
        const qxhost::Connection& connection = project->connections[*at];
        if (direction != QX_DIRECTION_ALL && connection.direction != direction) continue;
        const std::string& other = as_stream ? connection.item : connection.stream;
        const long other_index = (as_stream ? project->index.connection_item : project->index.connection_stream)[*at];
        const int other_class =
            other_index < 0 ? 0 : project->objects[static_cast<std::size_t>(other_index)].class_id;
        // Made in place: appending a copy would copy its texts again.
        auto node = std::make_unique<CqxConnectorInfoNode>(other.c_str(), nullptr, nullptr, 0, other_class, nullptr, 0);
        node->SetConnectorName(connection.connector);
        node->SetIndexHint(other_index);
        list->Append(std::move(node));
    }
    return list->GetLength() == 0 ? nullptr : list.release();
}

qxhost::SlotTable* CqxItemObject::OwnSlots(bool for_writing)
{
    qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    if (object == nullptr) return nullptr;
    if (for_writing) qxhost::Workspace::get().note_written(&object->slots);
    return &object->slots;
}

const qxhost::SlotTable* CqxItemObject::DefaultSlots()
{
    qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    return object == nullptr ? nullptr : &object->defaults;
}

void CqxItemObject::AppendSourceName(std::string& out) const
{
    if (const qxhost::Object* object = qxhost::resolve_object(instance_, index_)) out += object->name;
}
