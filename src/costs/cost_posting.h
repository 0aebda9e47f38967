// Posting utility amounts into the caller's cost lists.
//
// A value text is an amount, a line feed and its units. Postings add the
// incoming amount to what the value list holds for the cost slot and store
// the sum with "%-8.7g\n%s", so it is rounded to 7 significant digits at
// every posting.
#ifndef TOVEX_COSTS_COST_POSTING_H
#define TOVEX_COSTS_COST_POSTING_H

#include <cstdint>
#include <string>
#include <string_view>

#include "host/listkit.h"

namespace tovex {

// Adds `value_text` into the value of cost slot `key` (`keys`: cost slot
// list, `values`: value list). `value_text` receives the stored text. Returns
// the host's result of storing it.
std::int32_t add_utility_costs(QX_LIST keys, QX_LIST values, std::string_view key,
                               std::string& value_text);

// Finds the cost slot of `utility` in the name and cost slot lists and adds
// `value_text` into its value; nothing is posted, and `value_text` is left as
// it was, when the utility has no row.
void post_utility_cost(std::string_view utility, std::string& value_text, QX_LIST names,
                       QX_LIST cost_slots, QX_LIST values);

}  // namespace tovex

#endif
