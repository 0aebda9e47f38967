// CqxProjectObject and CqxStream: project objects opened as an item and as a
// stream.
#include "host/projmodel.h"
#include "projmodel/object_access.h"

CqxProjectObject::CqxProjectObject(const char* name, int class_id, CqxProject* project, int)
    : CqxItemObject(project, name ? name : "", class_id, Role::item)
{
}

// Opened from an index already found: the name and class need no check.
CqxProjectObject::CqxProjectObject(CqxProject* project, long index) : CqxItemObject(project, index, Role::item) {}

CqxProjectObject::~CqxProjectObject() = default;

std::string CqxProjectObject::Model() const
{
    const qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    return object == nullptr ? std::string() : object->model;
}

int CqxProjectObject::GetParentAreaObject(CqxProjectObject** area)
{
    qxhost::Project* project = nullptr;
    const qxhost::Object* object = qxhost::resolve_object(instance_, index_, &project);
    if (area == nullptr || object == nullptr || object->area.empty()) return 0;
    const long area_index = project->index.area_of_object[static_cast<std::size_t>(index_)];
    if (area_index < 0) return 0;
    auto parent = std::unique_ptr<CqxProjectObject>(new CqxProjectObject(nullptr, -1));
    parent->instance_ = instance_;
    parent->index_ = area_index;
    *area = parent.release();
    return 1;
}

CqxStream::CqxStream(CqxProject* project, long index) : CqxItemObject(project, index, Role::stream) {}

CqxStream::~CqxStream() = default;

int CqxStream::GetStreamName(std::string& name) const
{
    const qxhost::Object* object = qxhost::resolve_object(instance_, index_);
    if (object == nullptr) return 0;
    name = object->stream_name.value_or(object->name);
    return 1;
}
