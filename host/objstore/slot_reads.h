// Reading a stored slot value into the caller's outputs, in the three forms
// the host hands values out in. A read that finds nothing (null value, or a
// value with no number in it read as a number) returns false and leaves the
// outputs as they were.
#ifndef QXHOST_OBJSTORE_SLOT_READS_H
#define QXHOST_OBJSTORE_SLOT_READS_H

#include <string>
#include <string_view>
#include <utility>

#include "host/objstore.h"
#include "model/slot_table.h"

namespace qxhost {

// Names the object and slot read to the unit service, so that a conversion
// that fails afterwards can say where its units came from: an object, whose
// name is only made when a read notes it, or a name given as it is.
struct ReadSource {
    ReadSource(const CqxValueObject* owner, std::string_view slot) : slot_(slot), owner_(owner) {}
    ReadSource(std::string name, std::string_view slot) : slot_(slot), name_(std::move(name)) {}

    // Appends "OBJECT / SLOT" to `out`.
    void append_to(std::string& out) const
    {
        if (owner_ != nullptr) {
            owner_->AppendSourceName(out);
        } else {
            out += name_;
        }
        out += " / ";
        out += slot_;
    }

private:
    std::string_view slot_;
    const CqxValueObject* owner_ = nullptr;
    std::string name_;
};

bool read_into_slot(const Value* value, CqxSlot& out, const ReadSource& source);
bool read_as_text(const Value* value, std::string& out, const ReadSource& source);
bool read_as_number(const Value* value, double& number, std::string& units, const ReadSource& source);

}  // namespace qxhost

#endif
