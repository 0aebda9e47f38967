#include "places/input_place.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <variant>

#include "checks/unit_hints.h"

namespace qxhost::places {

namespace {

constexpr std::string_view project_fields[] = {"instance", "name", "scenario", "unit_system", "sim_type"};

// The candidate `text` most likely meant: a slip of case or two characters,
// else the one sharing the longest start with it, so that a message always
// names a place that exists.
std::string nearest(std::string_view text, const std::vector<std::string_view>& candidates)
{
    if (candidates.empty()) return {};
    if (std::string near = checks::nearest_name(text, candidates); !near.empty()) return near;
    const auto shared = [&](std::string_view candidate) {
        std::size_t n = 0;
        while (n < text.size() && n < candidate.size() &&
               std::toupper(static_cast<unsigned char>(text[n])) == std::toupper(static_cast<unsigned char>(candidate[n])))
            ++n;
        return n;
    };
    return std::string(*std::max_element(candidates.begin(), candidates.end(),
                                         [&](std::string_view a, std::string_view b) { return shared(a) < shared(b); }));
}

// The message names what is missing and the place of the project nearest
// to the one given, so that what it suggests always exists.
[[noreturn]] void unknown(const Project& project, std::string_view place, std::string_view what, std::string_view given)
{
    const std::vector<std::string> places = every_place(project);
    const std::string near = nearest(place, std::vector<std::string_view>(places.begin(), places.end()));
    std::string message = "no place \"" + std::string(place) + "\": " + std::string(what);
    if (!given.empty()) message += " \"" + std::string(given) + "\"";
    throw UnknownPlace(message + (near.empty() ? " (the project has no input)" : " (did you mean \"" + near + "\"?)"));
}

// `rest` cut after the longest name that `holds` knows, and what follows
// the "/" after it. A place that names no such owner, or stops at one,
// is refused: `what` says which owner it is ("object", "entry", ...).
template <class Holds>
std::pair<std::string_view, std::string_view> owner_and_rest(const Project& project, std::string_view place,
                                                             std::string_view rest, std::string_view what, Holds holds)
{
    for (std::size_t slash = rest.rfind('/'); slash != std::string_view::npos;
         slash = slash == 0 ? std::string_view::npos : rest.rfind('/', slash - 1)) {
        if (holds(rest.substr(0, slash))) return {rest.substr(0, slash), rest.substr(slash + 1)};
    }
    if (holds(rest)) unknown(project, place, "a place ends with a slot's name", "");
    unknown(project, place, "no " + std::string(what), rest.substr(0, rest.find('/')));
}

// What a place names.
struct SlotPlace {
    SlotTable* own;
    const SlotTable* defaults;  // null: none
    std::string_view slot;
};
struct FieldPlace {
    std::string_view field;
};
using Target = std::variant<SlotPlace, FieldPlace, Criterion*, ElectricalLoad*>;

std::string_view first_name(std::string_view rest) { return rest.substr(0, rest.find('/')); }
std::string_view after_first(std::string_view rest)
{
    const std::size_t slash = rest.find('/');
    return slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
}

SlotPlace slot_place(const Project& project, std::string_view place, SlotTable& own, const SlotTable* defaults,
                     std::string_view slot)
{
    if (own.contains(slot) || (defaults != nullptr && defaults->contains(slot))) return {&own, defaults, slot};
    unknown(project, place, slot.empty() ? "a place ends with a slot's name" : "no slot", slot);
}

Target object_place(Project& project, std::string_view place, std::string_view rest)
{
    project.index_unless_built();
    const auto holds = [&](std::string_view candidate) { return project.object_index(candidate) >= 0; };
    const auto [name, slot] = owner_and_rest(project, place, rest, "object", holds);
    Object& object = project.objects[static_cast<std::size_t>(project.object_index(name))];
    return slot_place(project, place, object.slots, &object.defaults, slot);
}

Target entry_place(Project& project, std::string_view place, std::string_view rest)
{
    const auto holds = [&](std::string_view candidate) { return project.entries.contains(candidate); };
    const auto [name, slot] = owner_and_rest(project, place, rest, "entry", holds);
    Entry& entry = *project.entries.find(name);
    return slot_place(project, place, entry.slots, &entry.defaults, slot);
}

Target criterion_place(Project& project, std::string_view place, std::string_view rest)
{
    const auto holds = [&](std::string_view candidate) { return project.design_criteria.contains(candidate); };
    const auto [name, criterion_name] = owner_and_rest(project, place, rest, "criteria group", holds);
    if (Criterion* criterion = project.design_criteria.find(name)->find(criterion_name)) return criterion;
    unknown(project, place, "no criterion", criterion_name);
}

Target load_place(Project& project, std::string_view place, std::string_view rest)
{
    for (ElectricalLoad& load : project.electrical_loads)
        if (std::to_string(load.ref_id) == rest) return &load;
    unknown(project, place, "no electrical load of the item of reference id", rest);
}

Target database_place(Project& project, std::string_view place)
{
    const auto holds = [&](std::string_view candidate) { return project.databases.contains(candidate); };
    const auto [database_name, rest] = owner_and_rest(project, place, place, "kind of input or database", holds);
    Database& database = *project.databases.find(database_name);
    const auto in_database = [&](std::string_view candidate) { return database.contains(candidate); };
    const auto [name, slot] = owner_and_rest(project, place, rest, "database object", in_database);
    return slot_place(project, place, *database.find(name), nullptr, slot);
}

Target target(Project& project, std::string_view place)
{
    const std::string_view kind = first_name(place);
    const std::string_view rest = after_first(place);
    if (kind == "project") {
        for (const std::string_view field : project_fields)
            if (rest == field) return FieldPlace{field};
        unknown(project, place, "no project field", rest);
    }
    if (kind == "objects") return object_place(project, place, rest);
    if (kind == "entries") return entry_place(project, place, rest);
    if (kind == "criteria") return criterion_place(project, place, rest);
    if (kind == "electrical_loads") return load_place(project, place, rest);
    return database_place(project, place);
}

Value field_value(const Project& project, std::string_view field)
{
    if (field == "instance") return Value::of_number(project.instance);
    if (field == "name") return Value::of_text(project.name);
    if (field == "scenario") return Value::of_text(project.scenario);
    if (field == "unit_system") return Value::of_number(project.unit_system);
    return Value::of_number(project.sim_type);
}

double whole(std::string_view place, const Value& value, double low, double high)
{
    if (value.kind != Value::Kind::number || value.number != std::floor(value.number) || value.number < low ||
        value.number > high)
        throw WrongValue(std::string(place) + " takes a whole number");
    return value.number;
}

void set_field(Project& project, std::string_view place, std::string_view field, const Value& value)
{
    if (field == "name" || field == "scenario") {
        if (value.kind != Value::Kind::text) throw WrongValue(std::string(place) + " takes a text");
        (field == "name" ? project.name : project.scenario) = value.text;
    } else if (field == "instance") {
        project.instance = static_cast<std::uint32_t>(whole(place, value, 0, 4294967295.0));
    } else {
        const int number = static_cast<int>(whole(place, value, -2147483648.0, 2147483647.0));
        (field == "unit_system" ? project.unit_system : project.sim_type) = number;
    }
}

// Units the host cannot read would leave the number unconverted, or taken
// as if in other units: refused, with the nearest the host reads. A price's
// units are a currency per a unit ("$/KLB"): the unit after the first "/"
// is the one read.
void check_units(std::string_view place, std::string_view units, std::string_view before)
{
    if (units.empty() || checks::known_units(units)) return;
    const std::size_t slash = units.find('/');
    if (slash != std::string_view::npos && checks::known_units(units.substr(slash + 1))) return;
    const std::string near = checks::nearest_units(units, before);
    throw WrongValue(std::string(place) + ": \"" + std::string(units) + "\" is not a unit the host reads" +
                     (near.empty() ? "" : " (did you mean \"" + near + "\"?)"));
}

double number_for(std::string_view place, const Value& value)
{
    if (value.kind != Value::Kind::number) throw WrongValue(std::string(place) + " takes a number");
    return value.number;
}

}  // namespace

Value get(const Project& project, std::string_view place)
{
    // Finding a place changes nothing but the index, which it builds when
    // it is not built for the objects as they stand.
    const Target found = target(const_cast<Project&>(project), place);
    if (const auto* slot = std::get_if<SlotPlace>(&found)) {
        if (const Value* own = slot->own->find(slot->slot)) return *own;
        return *slot->defaults->find(slot->slot);
    }
    if (const auto* field = std::get_if<FieldPlace>(&found)) return field_value(project, field->field);
    if (const auto* criterion = std::get_if<Criterion*>(&found))
        return Value::of_number((*criterion)->value, (*criterion)->units);
    return Value::of_number(std::get<ElectricalLoad*>(found)->kw, "KW");
}

void set(Project& project, std::string_view place, Value value, bool units_given)
{
    const Target found = target(project, place);
    if (const auto* slot = std::get_if<SlotPlace>(&found)) {
        const Value* before = slot->own->find(slot->slot);
        if (before == nullptr) before = slot->defaults->find(slot->slot);
        if (value.kind == Value::Kind::number && !units_given && before->kind == Value::Kind::number)
            value.units = before->units;
        if (value.kind == Value::Kind::number && units_given)
            check_units(place, value.units, before->kind == Value::Kind::number ? before->units.str() : std::string());
        slot->own->set(slot->slot, std::move(value));
    } else if (const auto* field = std::get_if<FieldPlace>(&found)) {
        set_field(project, place, field->field, value);
    } else if (const auto* criterion = std::get_if<Criterion*>(&found)) {
        const double number = number_for(place, value);
        if (units_given) check_units(place, value.units, (*criterion)->units);
        (*criterion)->value = number;
        if (units_given) (*criterion)->units = std::string(static_cast<std::string_view>(value.units));
    } else {
        const double kw = number_for(place, value);
        if (units_given && value.units != "KW")
            throw WrongValue(std::string(place) + ": an electrical load is in KW, not \"" + value.units.str() + "\"");
        std::get<ElectricalLoad*>(found)->kw = kw;
    }
}

std::vector<std::string> every_place(const Project& project)
{
    std::vector<std::string> places;
    for (const std::string_view field : project_fields) places.push_back("project/" + std::string(field));
    const auto slots = [&](const std::string& owner, const SlotTable& own, const SlotTable* defaults) {
        for (const auto& [name, value] : own) places.push_back(owner + "/" + std::string(name.view()));
        if (defaults == nullptr) return;
        for (const auto& [name, value] : *defaults)
            if (!own.contains(name.view())) places.push_back(owner + "/" + std::string(name.view()));
    };
    for (const Object& object : project.objects) slots("objects/" + object.name, object.slots, &object.defaults);
    for (const auto& [name, entry] : project.entries) slots("entries/" + std::string(name.view()), entry.slots, &entry.defaults);
    for (const auto& [group, criteria] : project.design_criteria)
        for (const auto& [name, criterion] : criteria)
            places.push_back("criteria/" + std::string(group.view()) + "/" + std::string(name.view()));
    for (const ElectricalLoad& load : project.electrical_loads)
        places.push_back("electrical_loads/" + std::to_string(load.ref_id));
    for (const auto& [database, objects] : project.databases)
        for (const auto& [name, table] : objects)
            slots(std::string(database.view()) + "/" + std::string(name.view()), table, nullptr);
    return places;
}

std::vector<std::string> priced_places(const Project& project)
{
    std::vector<std::string> places;
    for (const auto& [name, entry] : project.entries)
        if (entry.slots.contains("Unit Cost") || entry.defaults.contains("Unit Cost"))
            places.push_back("entries/" + std::string(name.view()) + "/Unit Cost");
    for (const std::string_view place : {"OP/Operating Unit Costs/Electricity", "OP/Operating Unit Costs/Fuel",
                                         "INV/Investment Analysis Parameters/Operating Hours per Period"}) {
        try {
            if (get(project, place).kind == Value::Kind::number) places.emplace_back(place);
        } catch (const UnknownPlace&) {
            // A project without it: nothing of it prices the run.
        }
    }
    return places;
}

}  // namespace qxhost::places
