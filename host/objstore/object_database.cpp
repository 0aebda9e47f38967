// CqxODB: a handle on an object database of the loaded project.
#include "host/objstore.h"
#include "objstore/slot_reads.h"
#include "model/workspace.h"

CqxODB::CqxODB(std::uint32_t instance, std::string_view db_name, int create)
    : instance_(instance), name_(db_name), valid_(false)
{
    qxhost::Project* project = qxhost::Workspace::get().project_for(instance_);
    if (project == nullptr) return;
    valid_ = true;
    if (create != 0 && !project->databases.contains(name_)) {
        project->databases.set(name_, qxhost::Database{});
        qxhost::Workspace::get().note_database_written(name_);
    }
}

CqxODB::~CqxODB() = default;

namespace {

qxhost::Database* find_database(bool valid, std::uint32_t instance, std::string_view name)
{
    if (!valid) return nullptr;
    qxhost::Project* project = qxhost::Workspace::get().project_for(instance);
    return project == nullptr ? nullptr : project->databases.find(name);
}

const qxhost::Value* find_value(qxhost::Database* database, std::string_view object, std::string_view slot)
{
    if (database == nullptr) return nullptr;
    const qxhost::SlotTable* slots = database->find(object);
    return slots == nullptr ? nullptr : slots->find(slot);
}

}  // namespace

int CqxODB::IsValid() const
{
    return valid_ && qxhost::Workspace::get().project_for(instance_) != nullptr ? 1 : 0;
}

int CqxODB::Exists() { return find_database(valid_, instance_, name_) != nullptr ? 1 : 0; }

int CqxODB::Delete()
{
    if (!IsValid()) return 0;
    qxhost::Workspace::get().note_database_written(name_);
    return qxhost::Workspace::get().project_for(instance_)->databases.erase(name_) ? 1 : 0;
}

std::uint32_t CqxODB::UserInstance() const { return instance_; }

int CqxODB::Open(int) { return Exists(); }

int CqxODB::Close(int) { return Exists(); }

int CqxODB::GetValue(std::string_view object, std::string_view slot, std::string& text, int)
{
    const qxhost::Value* value = find_value(find_database(valid_, instance_, name_), object, slot);
    return qxhost::read_as_text(value, text, {name_ + "/" + std::string(object), slot}) ? 1 : 0;
}

int CqxODB::GetValue(std::string_view object, std::string_view slot, double& number, std::string& units, int)
{
    const qxhost::Value* value = find_value(find_database(valid_, instance_, name_), object, slot);
    return qxhost::read_as_number(value, number, units, {name_ + "/" + std::string(object), slot}) ? 1 : 0;
}
