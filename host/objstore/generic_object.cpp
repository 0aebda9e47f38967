// CqxGenericObject: an object of an object database, found again by database
// and object name on every access.
#include "host/objstore.h"
#include "model/workspace.h"

namespace {

qxhost::Database* find_database(std::uint32_t instance, std::string_view db)
{
    qxhost::Project* project = qxhost::Workspace::get().project_for(instance);
    return project == nullptr ? nullptr : project->databases.find(db);
}

}  // namespace

CqxGenericObject::CqxGenericObject(std::uint32_t instance, std::string_view db, std::string_view object_name,
                                   int create, const void*, int)
    : instance_(instance), db_(db), object_(object_name), valid_(false)
{
    qxhost::Database* database = find_database(instance_, db_);
    if (database == nullptr) return;
    valid_ = true;
    slots_ = database->find(object_);
    if (slots_ == nullptr && create != 0) {
        slots_ = &database->set(object_, qxhost::SlotTable{});
        qxhost::Workspace::get().note_database_written(db_);
    }
    slots_generation_ = qxhost::Databases::generation();
}

CqxGenericObject::~CqxGenericObject() = default;

int CqxGenericObject::IsValid() const { return valid_ && find_database(instance_, db_) != nullptr ? 1 : 0; }

int CqxGenericObject::Exists() { return OwnSlots(false) != nullptr ? 1 : 0; }

std::uint32_t CqxGenericObject::UserInstance() const { return instance_; }

std::string CqxGenericObject::ObjectName() const { return object_; }

int CqxGenericObject::SetValue(std::string_view slot, std::string_view text, int)
{
    qxhost::Value* stored = WriteText(slot, text);
    qxhost::DatabaseWatcher* watcher = qxhost::Workspace::get().watcher();
    if (stored != nullptr && watcher != nullptr) watcher->written(db_, object_, slot, *stored);
    return stored != nullptr ? 1 : 0;
}

int CqxGenericObject::DeleteAttribute(std::string_view slot)
{
    if (qxhost::DatabaseWatcher* watcher = qxhost::Workspace::get().watcher()) {
        const qxhost::SlotTable* own = OwnSlots(false);
        const qxhost::Value* old = own != nullptr ? own->find(slot) : nullptr;
        if (old != nullptr) watcher->removed(db_, object_, slot, *old);
    }
    return CqxValueObject::DeleteAttribute(slot);
}

// Writes go to an existing object only: making one is the constructor's
// create flag's business.
// A table once found is kept: slot tables of a database never move while it
// exists, and the databases' generation tells when it may have gone. A
// missing object is looked for again, as another handle may make it.
qxhost::SlotTable* CqxGenericObject::OwnSlots(bool for_writing)
{
    if (!valid_) return nullptr;
    if (for_writing) qxhost::Workspace::get().note_database_written(db_);
    const std::uint64_t generation = qxhost::Databases::generation();
    if (slots_ != nullptr && slots_generation_ == generation) return slots_;
    qxhost::Database* database = find_database(instance_, db_);
    slots_ = database == nullptr ? nullptr : database->find(object_);
    slots_generation_ = generation;
    return slots_;
}

const qxhost::SlotTable* CqxGenericObject::DefaultSlots() { return nullptr; }

void CqxGenericObject::AppendSourceName(std::string& out) const { out.append(db_).append("/").append(object_); }
