// The usage records of UTILRES0 and their registry.
#include "costs/usage_records.h"

#include "common/text.h"
#include "host/objstore.h"

namespace tovex {

std::string usage_record_name(std::string_view utility, std::string_view item_name)
{
    std::string name(equals_nocase(utility, "Electricity") ? electricity_record_prefix : utility_record_prefix);
    name += item_name;
    return name;
}

// Lists the record in the registry once. Whether the registry holds a slot of
// that name is asked directly rather than by listing all its slot names, so
// that recording stays linear in the number of records.
static void register_usage_record(CqxODB& database, const std::string& record_name)
{
    CqxGenericObject registry(database.UserInstance(), database.DB(), usage_registry, 1, nullptr, 0);
    std::string ignored;
    if (registry.GetValue(record_name, ignored) == 0) registry.SetValue(record_name, std::string_view(), 0);
}

int record_utility_usage(std::string_view utility, std::string_view value_text, std::string_view item_name,
                         std::string_view item_description, std::string_view stream_name)
{
    // Instance 0 names the loaded project, whichever instance the run has.
    CqxODB database(0, results_database, 1);
    if (database.IsValid() == 0 || database.Exists() == 0) return 0;

    const std::string record_name = usage_record_name(utility, item_name);
    CqxGenericObject record(database.UserInstance(), database.DB(), record_name, 1, nullptr, 0);
    if (record.IsValid() == 0 || record.Exists() == 0) return 0;

    register_usage_record(database, record_name);
    record.SetValue(description_slot, item_description, 0);

    // Removed first so that the slot moves to the end with its new value.
    record.DeleteAttribute(utility);
    int result = record.SetValue(utility, std::string_view(trim_right(value_text)), 0);

    if (!stream_name.empty()) {
        std::string slot(utility);
        slot += stream_slot_suffix;
        result = record.SetValue(slot, std::string_view(trim_right(stream_name)), 0);
    }
    return result;
}

}  // namespace tovex
