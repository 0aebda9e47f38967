// Configurations of the project, and the entries of the utility streams
// configuration, which are found again by name on every access.
#include "host/projmodel.h"
#include "model/workspace.h"

namespace {

constexpr int utility_streams_class = 2005;

std::uint32_t instance_of(CqxProject* project) { return project == nullptr ? 0 : project->UserInstance(); }

bool names_configuration(CqxProject* project, int class_id)
{
    if (project == nullptr || !project->IsValid()) return false;
    const qxhost::Project* loaded = qxhost::Workspace::get().project_for(project->UserInstance());
    return loaded != nullptr && loaded->has_configuration(class_id);
}

bool has_streams_configuration(CqxProject* project, int class_id)
{
    if (project == nullptr || !project->IsValid() || class_id != utility_streams_class) return false;
    const qxhost::Project* loaded = qxhost::Workspace::get().project_for(project->UserInstance());
    return loaded != nullptr && loaded->has_utility_streams && loaded->utility_streams_valid;
}

}  // namespace

CqxProjectConfig::CqxProjectConfig(CqxProject* project, int class_id, const void*, int)
    : CqxProjectConfig(instance_of(project), class_id, std::string(), names_configuration(project, class_id))
{
}

CqxProjectConfig::CqxProjectConfig(std::uint32_t instance, int class_id, std::string entry, bool valid)
    : instance_(instance), class_id_(class_id), entry_(std::move(entry)), valid_(valid)
{
}

CqxProjectConfig::~CqxProjectConfig() = default;

int CqxProjectConfig::IsValid() const
{
    if (!valid_) return 0;
    qxhost::Project* project = qxhost::Workspace::get().project_for(instance_);
    if (project == nullptr) return 0;
    if (!is_entry_) return 1;
    const qxhost::Entry* entry = project->entries.find(entry_);
    return entry != nullptr && entry->valid ? 1 : 0;
}

std::uint32_t CqxProjectConfig::UserInstance() const { return instance_; }

std::string CqxProjectConfig::ObjectName() const { return entry_; }

int CqxProjectConfig::ClassId() const { return class_id_; }

// A configuration itself holds no slots here; its entries do, and an entry
// that is not valid gives none to read or write.
qxhost::SlotTable* CqxProjectConfig::OwnSlots(bool for_writing)
{
    if (!is_entry_ || !IsValid()) return nullptr;
    qxhost::SlotTable* slots = &qxhost::Workspace::get().project_for(instance_)->entries.find(entry_)->slots;
    if (for_writing) qxhost::Workspace::get().note_written(slots);
    return slots;
}

const qxhost::SlotTable* CqxProjectConfig::DefaultSlots()
{
    if (!is_entry_ || !IsValid()) return nullptr;
    return &qxhost::Workspace::get().project_for(instance_)->entries.find(entry_)->defaults;
}

void CqxProjectConfig::AppendSourceName(std::string& out) const
{
    if (is_entry_) {
        out += entry_;
    } else {
        out.append("configuration ").append(std::to_string(class_id_));
    }
}

CqxProjectStreamsConfig::CqxProjectStreamsConfig(CqxProject* project, int class_id, int)
    : CqxProjectConfig(instance_of(project), class_id, std::string(), has_streams_configuration(project, class_id))
{
}

CqxProjectStreamsConfig::~CqxProjectStreamsConfig() = default;

int CqxProjectStreamsConfig::GetEntries(CStrList& names, const void*, const void*)
{
    if (!IsValid()) return 0;
    for (const auto& [name, entry] : qxhost::Workspace::get().project_for(instance_)->entries) names.AddText(name);
    return 1;
}

CqxProjectConfig* CqxProjectStreamsConfig::InstantiateEntry(std::string_view name)
{
    if (!IsValid() || !qxhost::Workspace::get().project_for(instance_)->entries.contains(name)) return nullptr;
    auto entry = std::unique_ptr<CqxProjectConfig>(new CqxProjectConfig(instance_, class_id_, std::string(name), true));
    entry->is_entry_ = true;
    return entry.release();
}
