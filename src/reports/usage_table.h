// The usage records that the detailed report's utility pass gives lines,
// each read once for all the utilities of the pass.
//
// A record is found by name in the results database, so reading the records
// once per utility, as the lines are written, would look up every record
// twenty times on a plant priced in twenty utilities. Here each record is
// opened once, its slots are matched against the utilities, and the amount,
// units and stream of each use are kept, with the record's description and
// its item's area. That is possible because the pass reads no slot that it
// writes, except for a utility named like one (see read_again()).
#ifndef TOVEX_REPORTS_USAGE_TABLE_H
#define TOVEX_REPORTS_USAGE_TABLE_H

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/listkit.h"
#include "host/objstore.h"

class CqxProject;

namespace tovex {

class usage_table {
public:
    // The use of one utility by one record.
    struct use {
        std::uint32_t record;      // position in registry order
        std::uint32_t rate_units;  // index into the units texts
        double rate;
        std::string stream_name;
    };

    // Reads every record of `records` (the usage record names in registry
    // order) once, keeping its uses of each utility of `utilities` that is
    // not null: uses(u) for utilities[u], in registry order.
    usage_table(CqxProject& project, CqxODB& results, const CStrList& records,
                const std::vector<const char*>& utilities);
    usage_table(const usage_table&) = delete;
    usage_table& operator=(const usage_table&) = delete;

    const std::vector<use>& uses(std::size_t utility) const { return uses_[utility]; }
    // Reads the uses of `name` into uses(utility) from every record as it
    // stands now.
    void read_again(std::size_t utility, std::string_view name);

    std::string_view rate_units(const use& found) const { return units_[found.rate_units]; }
    const std::string& item_description(std::uint32_t record) const { return facts(record).item_description; }
    const std::string& area_id(std::uint32_t record) const { return facts(record).area->first; }
    const std::string& report_group_id(std::uint32_t record) const { return facts(record).area->second; }
    std::string_view item_name(std::uint32_t record) const;

    std::uint32_t record_count() const { return static_cast<std::uint32_t>(facts_of_.size()); }
    // The record's handle; null when the record is gone.
    std::unique_ptr<CqxGenericObject> open_record(std::uint32_t record) const;

private:
    static constexpr std::uint32_t no_facts = static_cast<std::uint32_t>(-1);

    // Area id and report group of an item.
    using area_texts = std::pair<std::string, std::string>;

    struct record_facts {
        std::string item_description;
        const area_texts* area = nullptr;  // one of areas_
    };

    std::string_view record_name(std::uint32_t record) const;
    const record_facts& facts(std::uint32_t record) const { return facts_[facts_of_[record]]; }
    bool read_use(CqxGenericObject& handle, std::uint32_t record, std::string_view utility, use& found);
    void note_facts(CqxGenericObject& handle, std::uint32_t record);
    std::uint32_t units_index(const std::string& units);

    CqxProject& project_;
    CqxODB& results_;
    const CStrList& records_;
    std::vector<std::uint32_t> facts_of_;  // by record; no_facts before its first use
    std::vector<record_facts> facts_;
    std::vector<std::vector<use>> uses_;   // by utility, in registry order
    // Few distinct texts over many lines: kept once each.
    std::vector<std::string> units_;
    std::set<area_texts> areas_;
};

}  // namespace tovex

#endif
