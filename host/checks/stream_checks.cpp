// The streams' findings: a stream the run leaves out (no utility named, a
// name that matches none, a connection pattern the rules leave out, a
// simulation case that is not valid), one it signs or charges in a way a
// user may not expect, and one whose rate the run takes as 0 or in other
// units than written because a slot it reads is missing or has no units.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <map>
#include <unordered_map>

#include "rules.h"
#include "textkit/text_trimmed.h"

namespace qxhost::checks {

namespace {

constexpr std::string_view fixed_utilities[] = {"Fuel", "Instrument Air", "Potable Water"};
constexpr int balanced_class = 3005;
constexpr int balanced_simulator_type = 4;

// A slot read as a number, as the host reads it; empty when the read fails.
// Every stream is read so, so a number slot, the common case, is read
// without copying its units.
struct Number {
    double value = 0.0;
    bool has_units = false;
};
std::optional<Number> number_in(const Value* value)
{
    if (value == nullptr) return std::nullopt;
    if (value->kind == Value::Kind::number) return Number{value->number, !value->units.empty()};
    const auto read = value_as_number(*value);
    if (!read) return std::nullopt;
    return Number{read->first, !read->second.empty()};
}

// The slots the checks read of a stream, found in one pass over its own
// slots and then its defaults (read as the host reads with inheritance):
// a stream has a handful of slots, and a search of its own for each of the
// names made up most of the checks' time on a large plant.
class StreamSlots {
public:
    explicit StreamSlots(const Object& stream)
    {
        fill(stream.slots, true);
        fill(stream.defaults, false);
    }
    // With inheritance; null when neither table has it.
    const Value* get(std::string_view name) const
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return values_[i];
        return nullptr;
    }
    // DESCRIPTION as the stream pass reads it: its own slot only.
    const Value* own_description() const { return own_description_; }

private:
    static constexpr std::array<std::string_view, 8> names = {
        "DESCRIPTION", "TOTAL MASS FLOW", "DUTY", "DUTY (SIM)", "Rate", "TOTAL MASS DENSITY", "FLUID",
        "MOLECULAR WEIGHT"};

    void fill(const SlotTable& table, bool own)
    {
        for (const auto& [name, value] : table) {
            const std::string_view key = name.view();
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (values_[i] != nullptr || key.size() != names[i].size() || key != names[i]) continue;
                values_[i] = &value;
                if (own && i == 0) own_description_ = &value;
                break;
            }
        }
    }

    std::array<const Value*, names.size()> values_{};
    const Value* own_description_ = nullptr;
};

// The utility a stream names in its DESCRIPTION: a text, or a list's first
// item; empty when it names none. The duty balance reads it with
// inheritance and takes no blank text.
std::string_view utility_named(const StreamSlots& slots, bool balance)
{
    const Value* value = balance ? slots.get("DESCRIPTION") : slots.own_description();
    if (value == nullptr) return {};
    std::string_view name;
    if (value->kind == Value::Kind::text) name = value->text;
    else if (value->kind == Value::Kind::list && !value->items.empty()) name = value->items.front();
    if (balance && text_trimmed(name).empty()) return {};
    return name;
}

// How a stream is joined: its connections on each side, and the item at
// its first connection on side 2.
struct Joins {
    std::size_t side1 = 0;
    std::size_t side2 = 0;
    std::string_view first_downstream_item;
    std::string_view first_upstream_item;
};

enum class Sign { left_out, charged, credited };

// The rule of the stream pass: what the class of the pass and the pattern
// of the stream's connections make of its amount.
Sign sign_of(int pass_class, const Joins& joins)
{
    const bool one = joins.side1 > 0, two = joins.side2 > 0;
    const bool known_class = pass_class == 3105 || pass_class == 3205 || pass_class == 3305 || pass_class == 3005;
    if (!known_class) return Sign::charged;
    if (one && two) return Sign::left_out;
    if (one) return Sign::credited;
    if (two) return Sign::charged;
    return pass_class == 3105 ? Sign::left_out : Sign::charged;
}

class StreamChecks {
public:
    StreamChecks(const Project& project, const RunKind& kind, Collector& findings)
        : project_(project), kind_(kind), findings_(findings)
    {
        for (const auto& [name, entry] : project.entries) {
            entry_names_.push_back(name.view());
            utility_names_.push_back(name.view());
        }
        for (const std::string_view name : fixed_utilities) utility_names_.push_back(name);
        for (const CostRow& row : project.cost_rows) cost_rows_.insert(row.name);
        // The reader's index groups the connections by stream; a project
        // changed since it was indexed is grouped here.
        indexed_ = project.index.built_for(project.objects, project.connections);
        if (!indexed_) {
            for (const Connection& connection : project.connections) add_join(joins_[connection.stream], connection);
        }
    }

    UsedUtilities run()
    {
        for (const int pass_class : classes()) {
            const bool balance = kind_.call == RunKind::Call::full && pass_class == balanced_class &&
                                 (project_.has_sim_case ? project_.sim_type : 0) == balanced_simulator_type;
            if (balance) find_balanced_items();
            for_each_of_class(pass_class, [&](const Object& object) {
                if (balance) balanced_stream(object);
                else passed_stream(object, pass_class);
            });
        }
        if (kind_.call != RunKind::Call::pass) streams_of_other_classes();
        return std::move(used_);
    }

private:
    std::vector<int> classes() const
    {
        if (kind_.call == RunKind::Call::pass) return {kind_.pass_class};
        return {3105, 3305, 3205, 3005};
    }

    // The objects of a class in file order, as the passes take them.
    template <class Visit>
    void for_each_of_class(int class_id, Visit visit) const
    {
        if (!indexed_) {
            for (const Object& object : project_.objects)
                if (object.class_id == class_id) visit(object);
            return;
        }
        const auto found = project_.index.objects_by_class.find(class_id);
        if (found == project_.index.objects_by_class.end()) return;
        // A stream's object, its slots and its defaults each stand apart in
        // memory, and waiting for them was most of the checks' time on a
        // large plant: the objects a few places ahead are asked for early,
        // their slots once the objects are there.
        const std::vector<long>& objects = found->second;
        const auto object_at = [&](std::size_t i) -> const Object& {
            return project_.objects[static_cast<std::size_t>(objects[i])];
        };
        constexpr std::size_t object_ahead = 8, slots_ahead = 4;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (i + object_ahead < objects.size()) __builtin_prefetch(&object_at(i + object_ahead));
            if (i + slots_ahead < objects.size()) {
                const Object& ahead = object_at(i + slots_ahead);
                if (ahead.slots.size() > 0) __builtin_prefetch(&*ahead.slots.begin());
                if (ahead.defaults.size() > 0) __builtin_prefetch(&*ahead.defaults.begin());
            }
            visit(object_at(i));
        }
    }

    // The items the duty balance balances at: those a class 3005 stream of
    // a utility entry flows to. Every other class 3005 stream joined there
    // takes part in that balance as a partner.
    void find_balanced_items()
    {
        for_each_of_class(balanced_class, [&](const Object& object) {
            const std::string_view name = utility_named(StreamSlots(object), true);
            if (std::find(entry_names_.begin(), entry_names_.end(), name) == entry_names_.end()) return;
            const Joins joins = joins_of(object);
            if (joins.side2 > 0 && !joins.first_downstream_item.empty())
                balanced_items_.insert(std::string(joins.first_downstream_item));
        });
    }

    // The item a stream flowing to no item takes part at as a partner, or
    // empty.
    std::string_view partner_at(const Joins& joins) const
    {
        if (joins.side2 > 0 || joins.first_upstream_item.empty()) return {};
        return balanced_items_.contains(joins.first_upstream_item) ? joins.first_upstream_item : std::string_view();
    }

    static void add_join(Joins& joins, const Connection& connection)
    {
        if (connection.direction == 1 && joins.side1++ == 0) joins.first_upstream_item = connection.item;
        if (connection.direction == 2 && joins.side2++ == 0) joins.first_downstream_item = connection.item;
    }

    Joins joins_of(const Object& stream) const
    {
        if (!indexed_) {
            const auto found = joins_.find(stream.name);
            return found == joins_.end() ? Joins{} : found->second;
        }
        Joins joins;
        const long at = &stream - project_.objects.data();
        const auto [first, last] = project_.index.connections_by_stream.of(at);
        for (const std::uint32_t* connection = first; connection != last; ++connection)
            add_join(joins, project_.connections[*connection]);
        return joins;
    }

    // An object of a class the runs do not pass that names a utility in its
    // DESCRIPTION was most likely meant for one of them.
    void streams_of_other_classes()
    {
        static constexpr int run_classes[] = {3105, 3305, 3205, 3005};
        for (const Object& object : project_.objects) {
            if (std::find(std::begin(run_classes), std::end(run_classes), object.class_id) != std::end(run_classes))
                continue;
            const std::string_view name = utility_named(StreamSlots(object), false);
            if (name.empty() || std::find(utility_names_.begin(), utility_names_.end(), name) == utility_names_.end())
                continue;
            std::string nearest;
            for (const int run_class : run_classes) {
                if (nearest.empty() && std::abs(run_class - object.class_id) <= 9)
                    nearest = "did you mean class " + std::to_string(run_class) + "?";
            }
            at_stake(add(Severity::error, "stream-class-not-run", object, "",
                         "names the utility \"" + std::string(name) + "\", but the runs pass only streams of classes 3105, "
                         "3305, 3205 and 3005, so this class " + std::to_string(object.class_id) +
                         " object is left out",
                         nearest.empty() ? std::string("give it the class of its stream") : nearest),
                     object);
        }
    }

    // The stream pass: recognised by its own DESCRIPTION among the entries
    // and the three fixed utilities, signed by its connections, rated.
    void passed_stream(const Object& stream, int pass_class)
    {
        const StreamSlots slots(stream);
        const Checking checking(*this, stream, slots);
        const std::string_view name = utility_named(slots, false);
        if (!named_utility(stream, name, utility_names_)) return;
        if ((stream.class_id == 3205 || stream.class_id == 3005) && !(project_.has_sim_case && project_.sim_case_valid)) {
            at_stake(add(Severity::error, "sim-case-not-valid", stream, "",
                         "the run skips streams of class " + std::to_string(stream.class_id) +
                             " while the simulation case is not valid, so this " + std::string(name) + " is not counted",
                         "give the project a valid \"simulation_case\", or move the stream to its class"),
                     stream);
            return;
        }
        const Joins joins = joins_of(stream);
        switch (sign_of(pass_class, joins)) {
        case Sign::left_out:
            if (joins.side1 > 0) {
                at_stake(add(Severity::note, "stream-joined-both-sides", stream, "",
                             "joined on both sides, so the run leaves it out: a stream that passes through "
                             "counts at neither item"),
                         stream);
            } else {
                at_stake(add(Severity::warning, "stream-unconnected", stream, "",
                             "joined to no item, so the run leaves this class " + std::to_string(pass_class) +
                                 " stream out",
                             "join it to the item that uses it, with direction 2"),
                         stream);
            }
            return;
        case Sign::credited:
            add(Severity::note, "stream-credited", stream, "",
                "joined on side 1 only, so the run credits its " + std::string(name) +
                    " (the amount negated), as what the plant gives back rather than uses",
                "if the item uses it, give the connection direction 2");
            break;
        case Sign::charged:
            if (joins.side1 + joins.side2 == 0 && kind_.records) {
                add(Severity::note, "stream-unconnected-charged", stream, "",
                    "joined to no item: the run charges it to the plant, and its usage is kept under no item");
            }
            break;
        }
        rate_inputs(stream, name);
        posted(stream, name);
    }

    // The duty balance of class 3005 streams: recognised by their
    // DESCRIPTION (inherited) among the entries only, then balanced at the
    // item they flow to.
    void balanced_stream(const Object& stream)
    {
        const StreamSlots slots(stream);
        const Checking checking(*this, stream, slots);
        const std::string_view name = utility_named(slots, true);
        const Joins joins = joins_of(stream);
        const std::string_view partner = partner_at(joins);
        const bool entry = std::find(entry_names_.begin(), entry_names_.end(), name) != entry_names_.end();
        if (!partner.empty()) {
            if (!number_in(slot("DUTY"))) {
                add(Severity::error, "quantity-missing", stream, "DUTY",
                    "no number in \"DUTY\": its duty counts as 0 at " + std::string(partner),
                    other_case_slot_hint(stream, "DUTY"));
            }
            if (!entry && !name.empty()) {
                add(Severity::note, "balance-partner-only", stream, "DESCRIPTION",
                    "\"" + std::string(name) + "\" is no utility entry, so the duty balance does not balance the stream on its "
                    "own; its duty counts at " + std::string(partner) + ", beside the streams flowing there");
            }
            return;
        }
        if (!named_utility(stream, name, entry_names_)) return;
        if (joins.side2 == 0) {
            const Entry* entry = project_.entries.find(name);
            const auto cost = entry ? number_in(inherited(entry->slots, entry->defaults, "Unit Cost")) : std::nullopt;
            if (cost && cost->value != 0.0) {
                at_stake(add(Severity::note, "balance-passed-over", stream, "",
                             "the duty balance passes over a stream of a priced utility that flows to no item"),
                         stream);
                return;
            }
            add(Severity::note, "balance-own-duty", stream, "",
                "flows to no item and its utility is free: the duty balance counts its own duty, under no item");
        } else if (joins.first_downstream_item.empty()) {
            at_stake(add(Severity::warning, "balance-passed-over", stream, "",
                         "its downstream connector has nothing joined, so the duty balance passes it over"),
                     stream);
            return;
        }
        if (!number_in(slot("DUTY")) && !number_in(slot("DUTY (SIM)"))) {
            add(Severity::error, "quantity-missing", stream, "DUTY",
                "no \"DUTY\" or \"DUTY (SIM)\": the duty balance counts its own duty as 0",
                other_case_slot_hint(stream, "DUTY"));
        } else {
            units_given(stream, number_in(slot("DUTY")) ? "DUTY" : "DUTY (SIM)",
                        project_.unit_system == 0 ? "BTU/H" : "KJ/H", "converted from no units");
        }
        posted(stream, name);
    }

    // A stream of a utility class whose DESCRIPTION names no utility of the
    // run's list is left out.
    bool named_utility(const Object& stream, std::string_view name, const std::vector<std::string_view>& names)
    {
        if (name.empty()) {
            std::string hint = other_case_slot_hint(stream, "DESCRIPTION");
            at_stake(add(hint.empty() ? Severity::warning : Severity::error, "stream-no-utility", stream, "DESCRIPTION",
                         "names no utility, so the run does not take it for a utility stream", std::move(hint)),
                     stream);
            return false;
        }
        if (std::find(names.begin(), names.end(), name) != names.end()) return true;
        auto hint = hints_.find(name);
        if (hint == hints_.end()) hint = hints_.emplace(std::string(name), nearest_name(name, names)).first;
        if (!hint->second.empty()) {
            at_stake(add(Severity::error, "utility-unknown", stream, "DESCRIPTION",
                         "\"" + std::string(name) + "\" is no utility of the project, so the run leaves the stream out",
                         "did you mean \"" + hint->second + "\"?"),
                     stream);
        } else {
            at_stake(add(Severity::warning, "utility-unknown", stream, "DESCRIPTION",
                         "\"" + std::string(name) + "\" is no utility of the project, so the run leaves the stream out",
                         "name a utility streams entry, or \"Fuel\", \"Instrument Air\" or \"Potable Water\""),
                     stream);
        }
        return false;
    }

    // What the rate reads, by the utility's route.
    void rate_inputs(const Object& stream, std::string_view name)
    {
        if (starts_with_ignoring_case(name, "Fuel")) return fuel_inputs(stream);
        if (starts_with_ignoring_case(name, "Instrument Air") || starts_with_ignoring_case(name, "Potable Water"))
            return volume_inputs(stream, "LB/H");
        const Basis& basis = basis_of_utility(name);
        const std::string& rate_units = basis.rate_units;
        switch (basis.basis) {
        case 1: return volume_inputs(stream, "LB/H");
        case 2: return quantity(stream, "TOTAL MASS FLOW", rate_units, "taken as it stands, as if in " + rate_units);
        case 3: return quantity(stream, "DUTY", rate_units, "taken as it stands, as if in " + rate_units);
        default: return;
        }
    }

    // The rate units and cost basis of a utility's entry, worked out once
    // per utility rather than once per stream. Basis 0 for an entry whose
    // own findings say why.
    struct Basis {
        std::string rate_units;
        int basis = 0;
    };
    const Basis& basis_of_utility(std::string_view name)
    {
        auto found = bases_.find(name);
        if (found != bases_.end()) return found->second;
        Basis basis;
        const Entry* entry = project_.entries.find(name);
        const Value* cost_units =
            entry == nullptr || !entry->valid ? nullptr : inherited(entry->slots, entry->defaults, "Unit Cost Units");
        if (cost_units != nullptr) {
            basis.rate_units = rate_units_of(value_as_text(*cost_units));
            basis.basis = basis_of(basis.rate_units);
        }
        return bases_.emplace(std::string(name), std::move(basis)).first->second;
    }

    void fuel_inputs(const Object& stream)
    {
        used_.fuel = true;
        const auto rate = number_in(slot("Rate"));
        if (rate && rate->value != 0.0) {
            if (rate->has_units) return;
            add(Severity::warning, "fuel-rate-no-units", stream, "Rate",
                "a fuel \"Rate\" without units: the run ignores it and rates the fuel from its mass flow and "
                "the fuel heating value",
                "give the rate its units, e.g. MMBTU/H");
        }
        if (!project_.has_configuration(2105)) {
            at_stake(add(Severity::error, "fuel-no-heating-value", stream, "",
                         "no configuration 2105 in \"configurations\": the run finds no fuel heating value and "
                         "rates this fuel 0",
                         "list 2105 in \"configurations\", or give the stream a \"Rate\" with units"),
                     stream);
            return;
        }
        const OrderedMap<Criterion>* group = project_.design_criteria.find("Heat Exchangers");
        if (group == nullptr || group->find("Fuel heating value") == nullptr) {
            at_stake(add(Severity::error, "fuel-no-heating-value", stream, "",
                         "no design criterion \"Heat Exchangers\" / \"Fuel heating value\": the run rates this "
                         "fuel 0",
                         "give the criterion, e.g. 20500 BTU/LB, or the stream a \"Rate\" with units"),
                     stream);
            return;
        }
        quantity(stream, "TOTAL MASS FLOW", "LB/H", "taken as LB/H");
    }

    void volume_inputs(const Object& stream, std::string_view flow_units)
    {
        quantity(stream, "TOTAL MASS FLOW", flow_units, "taken as LB/H");
        if (number_in(slot("TOTAL MASS DENSITY"))) {
            units_given(stream, "TOTAL MASS DENSITY", "PCF", "taken as PCF");
            return;
        }
        const Value* fluid = slot("FLUID");
        const std::string fluid_text = fluid ? value_as_text(*fluid) : std::string();
        if (starts_with_ignoring_case(fluid_text, "Water") || starts_with_ignoring_case(fluid_text, "Air") ||
            number_in(slot("MOLECULAR WEIGHT")))
            return;
        add(Severity::error, "density-missing", stream, "TOTAL MASS DENSITY",
            "no mass density, and none the host can work out (its \"FLUID\" is neither water nor air, and it has "
            "no \"MOLECULAR WEIGHT\"): the run rates it 0",
            "give \"TOTAL MASS DENSITY\" with units, or \"FLUID\" or \"MOLECULAR WEIGHT\"");
    }

    // A quantity the rate reads: missing, it is 0; without units, it is
    // taken as it stands.
    void quantity(const Object& stream, std::string_view slot, std::string_view like, const std::string& taken_as)
    {
        if (!number_in(this->slot(slot))) {
            add(Severity::error, "quantity-missing", stream, slot,
                "no number in \"" + std::string(slot) + "\": the run rates this stream 0",
                other_case_slot_hint(stream, slot));
            return;
        }
        units_given(stream, slot, like, taken_as);
    }

    void units_given(const Object& stream, std::string_view slot, std::string_view like, const std::string& taken_as)
    {
        const auto value = number_in(this->slot(slot));
        if (!value || value->has_units) return;
        Finding& finding = add(Severity::warning, "units-missing", stream, slot,
                               "\"" + std::string(slot) + "\" has no units: " + taken_as,
                               "give its units, e.g. " + std::string(like));
        finding.amount = value->value;
    }

    // The utility is posted only where the caller's lists have its row.
    void posted(const Object& stream, std::string_view name)
    {
        if (!used_.names.contains(name)) used_.names.emplace(name);
        if (cost_rows_.contains(name)) return;
        at_stake(add(Severity::error, "cost-row-missing", stream, "",
                     "the caller's lists have no row named \"" + std::string(name) + "\", so nothing is posted for it",
                     "add a cost row for \"" + std::string(name) + "\", or leave \"cost_rows\" out to have one made"),
                 stream);
    }

    // A slot of the stream being checked, with inheritance.
    const Value* slot(std::string_view name) const { return slots_->get(name); }

    Finding& add(Severity severity, std::string_view code, const Object& stream, std::string_view slot,
                 std::string message, std::string hint = {})
    {
        return findings_.add(severity, code, stream.name, slot, std::move(message), std::move(hint));
    }

    // The stream's amount as written, for a finding that drops it.
    void at_stake(Finding& finding, const Object& stream) const
    {
        // The slots of the stream being checked are read already.
        const std::optional<StreamSlots> own = slots_owner_ == &stream ? std::nullopt : std::optional(StreamSlots(stream));
        const StreamSlots& slots = own ? *own : *slots_;
        for (const std::string_view name : {"TOTAL MASS FLOW", "DUTY", "Rate"}) {
            const Value* value = slots.get(name);
            if (const auto amount = value ? value_as_number(*value) : std::nullopt) {
                finding.amount = amount->first;
                finding.amount_units = amount->second;
                return;
            }
        }
    }

    const Project& project_;
    const RunKind& kind_;
    Collector& findings_;
    std::vector<std::string_view> entry_names_;
    std::vector<std::string_view> utility_names_;
    std::set<std::string, std::less<>> cost_rows_;
    // The stream being checked and its slots, while it is.
    class Checking {
    public:
        Checking(StreamChecks& checks, const Object& stream, const StreamSlots& slots) : checks_(checks)
        {
            checks_.slots_ = &slots;
            checks_.slots_owner_ = &stream;
        }
        ~Checking()
        {
            checks_.slots_ = nullptr;
            checks_.slots_owner_ = nullptr;
        }
        Checking(const Checking&) = delete;
        Checking& operator=(const Checking&) = delete;

    private:
        StreamChecks& checks_;
    };
    const StreamSlots* slots_ = nullptr;
    const Object* slots_owner_ = nullptr;
    bool indexed_ = false;
    std::unordered_map<std::string_view, Joins> joins_;
    std::map<std::string, std::string, std::less<>> hints_;
    std::map<std::string, Basis, std::less<>> bases_;
    std::set<std::string, std::less<>> balanced_items_;
    UsedUtilities used_;
};

}  // namespace

UsedUtilities check_streams(const Project& project, const RunKind& kind, Collector& findings)
{
    return StreamChecks(project, kind, findings).run();
}

}  // namespace qxhost::checks
