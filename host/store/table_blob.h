// Slot tables packed into one blob: how a run keeps the tables and the
// databases it changed. A full run on a large plant rewrites tens of
// thousands of tables (every usage record, every stream given a density);
// one blob per database, and one for the rest, store them in a few
// milliseconds, where a row per slot took seconds. What a user queries of a
// run lives in its own tables (run_item, run_utility, run_cost_row).
//
// The form, little-endian, lengths and counts as LEB128 varints:
//   table:  count, then per slot: name, kind byte (0 text, 1 number, 2 list),
//           then the text; or the number's 8 bytes and its units; or the
//           item count and the items
//   text:   length, bytes
#ifndef QXHOST_STORE_TABLE_BLOB_H
#define QXHOST_STORE_TABLE_BLOB_H

#include <cstdint>
#include <string>
#include <string_view>

#include "model/object_databases.h"
#include "model/slot_table.h"

namespace qxhost::store {

class BlobWriter {
public:
    void varint(std::uint64_t value);
    void text(std::string_view text);
    void table(const SlotTable& slots);
    // Object count, then per object its name and table.
    void database(const Database& objects);

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads what BlobWriter wrote; throws std::runtime_error ("a damaged run
// blob") on anything else, never reading past the end.
class BlobReader {
public:
    explicit BlobReader(std::string_view bytes) : rest_(bytes) {}

    bool at_end() const { return rest_.empty(); }
    std::uint64_t varint();
    std::string_view text();
    SlotTable table();
    Database database();

private:
    std::string_view take(std::size_t size);
    std::string_view rest_;
};

}  // namespace qxhost::store

#endif
