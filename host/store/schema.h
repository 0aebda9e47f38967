// Opening a store: the schema it is created with, and the checks that it is
// a store this build can read.
#ifndef QXHOST_STORE_SCHEMA_H
#define QXHOST_STORE_SCHEMA_H

#include <memory>
#include <string>

#include <SQLiteCpp/Database.h>

namespace qxhost::store {

// The store at `path`, checked. Throws StoreError naming the file.
std::unique_ptr<SQLite::Database> open_store(const std::string& path);

// A new store with the schema at `path`, which must not exist. Throws
// StoreError naming `shown_path`.
std::unique_ptr<SQLite::Database> create_store(const std::string& path, const std::string& shown_path);

}  // namespace qxhost::store

#endif
