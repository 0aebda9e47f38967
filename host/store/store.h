// The project store: a project kept in an SQLite file, each import a new
// revision, queryable by hand (docs/store.md describes the tables).
//
// A store is told by its content, not its name: an SQLite file whose
// application id is the store's. Every change is one transaction, so a
// store never holds half an import.
#ifndef QXHOST_STORE_STORE_H
#define QXHOST_STORE_STORE_H

#include <memory>
#include <stdexcept>
#include <string>

#include "host/project_model.h"

namespace qxhost::store {

// The schema this build writes and reads; a store of a later one is refused.
inline constexpr int schema_version = 1;

// A store that cannot be opened, read or written, or is not a store. what()
// names the file and says what is wrong.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when the file at `path` begins as an SQLite database does; its
// application id is checked when it is opened.
bool looks_like_store(const std::string& path);

// Stores `project` as the store's new revision, creating the store when
// there is none; `source` names where it came from. Returns the revision.
long import_project(const std::string& path, const Project& project, const std::string& source);

// The project of the store's latest revision.
std::unique_ptr<Project> load_project(const std::string& path);

}  // namespace qxhost::store

#endif
