// The workspace: the one loaded project of the reference host. Host objects
// are handles that resolve names against it on every access, so a handle
// never dangles; a host object constructed while no project is loaded is
// not valid.
#ifndef HOST_WORKSPACE_H
#define HOST_WORKSPACE_H

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <string_view>

#include "model/project.h"
#include "host/visibility.h"

namespace qxhost {

// Told of each text written into, and each slot removed from, an object of
// a project database, so that a host can keep a journal of what a run wrote
// there without the module knowing. A written text comes as the value
// stored, so that the watcher can mark it (Value::mark).
class DatabaseWatcher {
public:
    virtual ~DatabaseWatcher() = default;
    virtual void written(std::string_view db, std::string_view object, std::string_view slot,
                         Value& stored) = 0;
    virtual void removed(std::string_view db, std::string_view object, std::string_view slot,
                         const Value& old) = 0;
};

// What the handles wrote into the loaded project since it was loaded: each
// object's or entry's slot table written through a handle, and each object
// database made, deleted or written into. A store keeps just these with a
// run, instead of comparing the whole project before and after it.
struct ProjectWrites {
    std::unordered_set<const SlotTable*> tables;
    std::set<std::string, std::less<>> databases;
};

class QXHOST_API Workspace {
public:
    constexpr Workspace() = default;
    // Inline: the host asks for the workspace at nearly every access.
    static Workspace& get() { return instance_; }

    // Replaces the loaded project (if any): indexes it and sets the unit
    // system.
    void load(std::unique_ptr<Project> project);
    void unload();
    // Unloads the project and gives it to the caller, as the run left it.
    std::unique_ptr<Project> take();
    Project* project() { return project_.get(); }
    // The loaded project when `instance` is its user instance or 0, else null.
    Project* project_for(std::uint32_t instance)
    {
        if (!project_) return nullptr;
        return instance == 0 || instance == project_->instance ? project_.get() : nullptr;
    }

    // The object list of CqxProject::InitObjectList.
    bool object_list_built = false;

    // Called by every write through a handle.
    void note_written(const SlotTable* table)
    {
        if (writes_) writes_->tables.insert(table);
    }
    void note_database_written(std::string_view name)
    {
        if (writes_ && !writes_->databases.contains(name)) writes_->databases.emplace(name);
    }
    // Since the project was loaded; none while none is.
    const ProjectWrites* writes() const { return writes_.get(); }

    // At most one watcher at a time; null stops watching.
    void watch(DatabaseWatcher* watcher) { watcher_ = watcher; }
    DatabaseWatcher* watcher() const { return watcher_; }

private:
    static Workspace instance_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectWrites> writes_;  // a pointer keeps the constructor constexpr
    DatabaseWatcher* watcher_ = nullptr;
};

// Loads a project into the workspace for as long as it lives, and unloads
// it on every path, so that a run that throws leaves no project behind.
class LoadedProject {
public:
    explicit LoadedProject(std::unique_ptr<Project> project) { Workspace::get().load(std::move(project)); }
    ~LoadedProject() { Workspace::get().unload(); }
    LoadedProject(const LoadedProject&) = delete;
    LoadedProject& operator=(const LoadedProject&) = delete;

    Project& project() { return *Workspace::get().project(); }
    // The project as the run left it, no longer loaded.
    std::unique_ptr<Project> take() { return Workspace::get().take(); }
};

}  // namespace qxhost

#endif
