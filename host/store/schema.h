// Opening a store: the schema it is created with, and the checks that it is
// a store this build can read.
#ifndef QXHOST_STORE_SCHEMA_H
#define QXHOST_STORE_SCHEMA_H

#include <memory>
#include <string>

#include <SQLiteCpp/Database.h>

namespace qxhost::store {

// The schema this build writes and reads. A store of another is refused:
// no release has written an earlier one, so none is upgraded.
inline constexpr int schema_version = 5;

// True when the file at `path` begins as an SQLite database does; its
// application id is checked when it is opened.
bool looks_like_store(const std::string& path);

// The store at `path`, checked. Throws StoreError naming the file.
std::unique_ptr<SQLite::Database> open_store(const std::string& path);

// A new store with the schema at `path`, which must not exist. Throws
// StoreError naming `shown_path`.
std::unique_ptr<SQLite::Database> create_store(const std::string& path, const std::string& shown_path);

}  // namespace qxhost::store

#endif
