// A slot value and the table of an object's slots, with the forms in which
// a value reads when asked for as another kind than it is stored.
#ifndef HOST_SLOT_TABLE_H
#define HOST_SLOT_TABLE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ordered_map.h"
#include "model/value_parts.h"
#include "host/visibility.h"

namespace qxhost {

// A slot value. Kept small: a large plant holds millions.
struct Value {
    enum class Kind : std::uint8_t { text, number, list };
    std::string text;     // text
    double number = 0.0;  // number
    UnitsText units;      // number: empty when without units
    TextItems items;      // list
    Kind kind = Kind::text;
    // Which watcher of the databases marked it when it was written (0:
    // none): a run's journal tells the slots it wrote by this mark instead
    // of a set of every slot it wrote, which a large run reached at a
    // random place on each write. It lies in what was padding.
    std::uint32_t mark = 0;

    QXHOST_API static Value of_text(std::string text);
    QXHOST_API static Value of_number(double number, std::string units = {});
    QXHOST_API static Value of_list(std::vector<std::string> items);
};

// A class rather than an alias, so that the host's public headers can
// declare it without this one.
class SlotTable : public OrderedMap<Value, Placement::in_line> {};

// Text form: a text as it is; a number in shortest form, followed by a line
// feed and the units when it has units; a list's first item.
QXHOST_API std::string value_as_text(const Value& value);
// Number form: a text's leading number with its second line (trimmed) as
// units; a number as it is; a list's first item's leading number with its
// second item as units. Empty when there is no leading number.
QXHOST_API std::optional<std::pair<double, std::string>> value_as_number(const Value& value);
// The number form of a text, as value_as_number reads one, its units a view
// of the text: for a reader of many texts that keeps none of them.
QXHOST_API std::optional<std::pair<double, std::string_view>> text_as_number(std::string_view text);

// The shortest text that reads back as the same double (std::to_chars).
QXHOST_API std::string shortest_number_text(double value);

}  // namespace qxhost

#endif
