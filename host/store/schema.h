// Opening a store: the schema it is created with, and the checks that it is
// a store this build can read.
#ifndef QXHOST_STORE_SCHEMA_H
#define QXHOST_STORE_SCHEMA_H

#include <memory>
#include <string>

#include <SQLiteCpp/Database.h>

namespace qxhost::store {

enum class open_for { reading, writing };

// The store at `path`, checked; with open_for::writing a missing file is
// created with the schema. Throws StoreError naming the file.
std::unique_ptr<SQLite::Database> open_store(const std::string& path, open_for mode);

}  // namespace qxhost::store

#endif
