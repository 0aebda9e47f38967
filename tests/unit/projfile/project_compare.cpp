#include "project_compare.h"

#include <cmath>
#include <sstream>
#include <string>

namespace projfile_test {

namespace {

using qxhost::SlotTable;
using qxhost::Value;

bool same_number(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

bool same_value(const Value& a, const Value& b)
{
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case Value::Kind::text:
        return a.text == b.text;
    case Value::Kind::number:
        return same_number(a.number, b.number) && a.units == b.units;
    case Value::Kind::list:
        return a.items == b.items;
    }
    return false;
}

// Names and values in the same order.
bool same_slots(const SlotTable& a, const SlotTable& b, std::string& where)
{
    if (a.size() != b.size()) {
        where += ": " + std::to_string(a.size()) + " slots vs " + std::to_string(b.size());
        return false;
    }
    auto ib = b.begin();
    for (auto ia = a.begin(); ia != a.end(); ++ia, ++ib) {
        if (ia->first != ib->first || !same_value(ia->second, ib->second)) {
            where += ": slot \"" + ia->first + "\" vs \"" + ib->first + "\"";
            return false;
        }
    }
    return true;
}

class Comparer {
public:
    Comparer(const qxhost::Project& a, const qxhost::Project& b) : a_(a), b_(b) {}

    ::testing::AssertionResult run()
    {
        check(a_.instance == b_.instance && a_.name == b_.name && a_.scenario == b_.scenario &&
                  a_.unit_system == b_.unit_system,
              "project identity");
        check(a_.has_sim_case == b_.has_sim_case && a_.sim_case_valid == b_.sim_case_valid &&
                  a_.sim_type == b_.sim_type,
              "simulation case");
        check(a_.configurations == b_.configurations, "configurations");
        compare_criteria();
        check(a_.has_utility_streams == b_.has_utility_streams && a_.utility_streams_valid == b_.utility_streams_valid,
              "utility streams");
        compare_entries();
        compare_objects();
        compare_connections();
        compare_databases();
        compare_cost_rows();
        check(a_.has_electrical_loads == b_.has_electrical_loads && a_.total_kw == b_.total_kw &&
                  a_.electrical_load_file == b_.electrical_load_file,
              "electrical loads");
        check(a_.electrical_loads.size() == b_.electrical_loads.size(), "electrical load items");
        for (std::size_t i = 0; i < a_.electrical_loads.size() && i < b_.electrical_loads.size(); ++i) {
            check(a_.electrical_loads[i].ref_id == b_.electrical_loads[i].ref_id &&
                      same_number(a_.electrical_loads[i].kw, b_.electrical_loads[i].kw),
                  "electrical load " + std::to_string(i));
        }
        if (differences_.empty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "projects differ in " << differences_;
    }

private:
    void check(bool same, const std::string& what)
    {
        if (!same) differences_ += (differences_.empty() ? "" : "; ") + what;
    }

    void compare_criteria()
    {
        check(a_.design_criteria.size() == b_.design_criteria.size(), "design criteria groups");
        for (const auto& [group, criteria] : a_.design_criteria) {
            const auto* other = b_.design_criteria.find(group);
            check(other != nullptr && other->size() == criteria.size(), "design criteria group " + group);
            if (other == nullptr) continue;
            auto ib = other->begin();
            for (auto ia = criteria.begin(); ia != criteria.end() && ib != other->end(); ++ia, ++ib) {
                check(ia->first == ib->first && same_number(ia->second.value, ib->second.value) &&
                          ia->second.units == ib->second.units,
                      "criterion " + group + "/" + ia->first);
            }
        }
    }

    void compare_entries()
    {
        check(a_.entries.size() == b_.entries.size(), "entry count");
        auto ib = b_.entries.begin();
        for (auto ia = a_.entries.begin(); ia != a_.entries.end() && ib != b_.entries.end(); ++ia, ++ib) {
            std::string where = "entry " + ia->first;
            check(ia->first == ib->first && ia->second.valid == ib->second.valid, where);
            check(same_slots(ia->second.slots, ib->second.slots, where), where);
            where = "entry defaults " + ia->first;
            check(same_slots(ia->second.defaults, ib->second.defaults, where), where);
        }
    }

    void compare_objects()
    {
        check(a_.objects.size() == b_.objects.size(), "object count");
        for (std::size_t i = 0; i < a_.objects.size() && i < b_.objects.size(); ++i) {
            const auto& x = a_.objects[i];
            const auto& y = b_.objects[i];
            std::string where = "object " + x.name;
            check(x.name == y.name && x.class_id == y.class_id && x.ref_id == y.ref_id &&
                      x.stream_name == y.stream_name && x.model == y.model && x.area == y.area,
                  where);
            check(same_slots(x.slots, y.slots, where), where);
            where = "object defaults " + x.name;
            check(same_slots(x.defaults, y.defaults, where), where);
        }
    }

    void compare_connections()
    {
        check(a_.connections.size() == b_.connections.size(), "connection count");
        for (std::size_t i = 0; i < a_.connections.size() && i < b_.connections.size(); ++i) {
            const auto& x = a_.connections[i];
            const auto& y = b_.connections[i];
            check(x.stream == y.stream && x.item == y.item && x.direction == y.direction && x.connector == y.connector,
                  "connection " + std::to_string(i));
        }
    }

    void compare_databases()
    {
        check(a_.databases.size() == b_.databases.size(), "database count");
        auto ib = b_.databases.begin();
        for (auto ia = a_.databases.begin(); ia != a_.databases.end() && ib != b_.databases.end(); ++ia, ++ib) {
            check(ia->first == ib->first && ia->second.size() == ib->second.size(), "database " + ia->first);
            auto ob = ib->second.begin();
            for (auto oa = ia->second.begin(); oa != ia->second.end() && ob != ib->second.end(); ++oa, ++ob) {
                std::string where = "database object " + ia->first + "/" + oa->first;
                check(oa->first == ob->first, where);
                check(same_slots(oa->second, ob->second, where), where);
            }
        }
    }

    void compare_cost_rows()
    {
        check(a_.cost_rows.size() == b_.cost_rows.size(), "cost row count");
        for (std::size_t i = 0; i < a_.cost_rows.size() && i < b_.cost_rows.size(); ++i) {
            const auto& x = a_.cost_rows[i];
            const auto& y = b_.cost_rows[i];
            check(x.name == y.name && x.cost_slot == y.cost_slot && x.value == y.value && x.number == y.number,
                  "cost row " + std::to_string(i));
        }
    }

    const qxhost::Project& a_;
    const qxhost::Project& b_;
    std::string differences_;
};

}  // namespace

::testing::AssertionResult same_project(const qxhost::Project& a, const qxhost::Project& b)
{
    return Comparer(a, b).run();
}

}  // namespace projfile_test
