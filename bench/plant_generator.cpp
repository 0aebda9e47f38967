#include "plant_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace tovex_bench {

namespace {

using qxhost::Value;

// splitmix64: a generator whose sequence is fixed by its seed on every
// platform, unlike the standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    long below(long n) { return static_cast<long>(next() % static_cast<std::uint64_t>(n)); }
    // Uniform in [low, high), rounded to a tenth so that the file stays short.
    double between(double low, double high)
    {
        const double unit = static_cast<double>(next() >> 11) * 0x1.0p-53;
        return static_cast<double>(static_cast<long>((low + unit * (high - low)) * 10.0)) / 10.0;
    }

private:
    std::uint64_t state_;
};

struct Utility {
    const char* name;
    const char* fluid;
    double unit_cost;
    const char* cost_units;
    double inlet_f;
    double exit_f;
};

constexpr std::array<Utility, 7> volume_utilities{{
    {"Cooling Water", "Water", 0.085, "$/KGAL", 85, 105},
    {"Tempered Water", "Water", 0.05, "$/M3", 95, 120},
    {"Boiler Feed Water", "Water", 1.9, "$/KGAL", 230, 230},
    {"Demineralized Water", "Water", 0.9, "$/M3", 70, 70},
    {"Process Water", "Water", 0.4, "$/KGAL", 70, 70},
    {"River Water", "Water", 0.02, "$/MGAL", 75, 95},
    {"Nitrogen", "Nitrogen", 0.15, "$/KCF", 70, 70},
}};
constexpr std::array<Utility, 7> mass_utilities{{
    {"Steam @600PSI", "Steam", 16.0, "$/KLB", 489, 489},
    {"Steam @165PSI", "Steam", 12.5, "$/KLB", 366, 366},
    {"Steam @50PSI", "Steam", 21.0, "$/T", 298, 298},
    {"Low Pressure Steam", "Steam", 8.0, "$/KLB", 250, 250},
    {"Condensate", "Water", 2.5, "$/T", 212, 150},
    {"Refrigerant R-134a", "Refrigerant", 3.4, "$/KLB", -15, 10},
    {"Hot Oil", "Oil", 6.0, "$/T", 600, 500},
}};
constexpr std::array<Utility, 6> duty_utilities{{
    {"Chilled Water", "Water", 7.5, "$/MMBTU", 45, 55},
    {"Brine", "Brine", 5.2, "$/GJ", 10, 25},
    {"Refrigeration -40F", "Refrigerant", 12.0, "$/MMBTU", -40, -30},
    {"Heating Medium", "Oil", 4.1, "$/GJ", 550, 450},
    {"Glycol", "Glycol", 6.3, "$/MMBTU", 20, 40},
    {"Hot Water", "Water", 0.012, "$/KWH", 180, 140},
}};

class Builder {
public:
    Builder(long streams, std::uint64_t seed) : shape_(plant_shape(streams)), random_(seed) {}

    std::unique_ptr<qxhost::Project> build()
    {
        project_identity();
        utility_entries();
        areas_and_items();
        for (long stream = 0; stream < shape_.streams; ++stream) add_stream(stream);
        databases_and_rows();
        return std::move(plant_);
    }

private:
    void project_identity()
    {
        plant_->instance = 1;
        plant_->name = "BENCH";
        plant_->scenario = "Base";
        plant_->has_sim_case = true;
        plant_->sim_case_valid = true;
        plant_->sim_type = 4;
        plant_->has_utility_streams = true;
        plant_->utility_streams_valid = true;
        plant_->configurations = {2105};
        plant_->design_criteria.get_or_add("Heat Exchangers").set("Fuel heating value", {20500, "BTU/LB"});
    }

    void utility_entries()
    {
        for (const Utility& utility : volume_utilities) add_entry(utility);
        for (const Utility& utility : mass_utilities) add_entry(utility);
        for (const Utility& utility : duty_utilities) add_entry(utility);
    }

    void add_entry(const Utility& utility)
    {
        qxhost::Entry entry;
        entry.slots.set("Fluid", Value::of_text(utility.fluid));
        entry.slots.set("Unit Cost", Value::of_number(utility.unit_cost, utility.cost_units));
        entry.slots.set("Unit Cost Units", Value::of_text(utility.cost_units));
        entry.slots.set("Inlet temperature", Value::of_number(utility.inlet_f, "DEG F"));
        entry.slots.set("Exit temperature", Value::of_number(utility.exit_f, "DEG F"));
        entry.slots.set("Temperature units", Value::of_text("DEG F"));
        entry.slots.set("Pressure", Value::of_number(60, "PSIG"));
        entry.slots.set("Pressure units", Value::of_text("PSIG"));
        plant_->entries.set(utility.name, std::move(entry));
    }

    void areas_and_items()
    {
        for (long area = 0; area < shape_.areas; ++area) {
            qxhost::Object object = make_object(area_name(area), 1505);
            object.slots.set("ArAreaReferenceNumber", Value::of_text(std::to_string(100 + area)));
            object.slots.set("ArReportGroupNumber", Value::of_text(std::to_string(1 + area % 9)));
            plant_->objects.push_back(std::move(object));
        }
        static constexpr std::array<const char*, 5> kinds{"HE FLOAT HEAD", "REBOILER", "FURNACE", "PUMP", "COOLER"};
        for (long item = 0; item < shape_.items; ++item) {
            const char* kind = kinds[static_cast<std::size_t>(random_.below(kinds.size()))];
            qxhost::Object object = make_object(item_name(item), 1705);
            object.model = kind;
            object.area = area_name(std::min(shape_.areas - 1, item * shape_.areas / shape_.items));
            object.slots.set("CpItemDescription", Value::of_text(std::string(kind) + " " + std::to_string(item)));
            plant_->electrical_loads.push_back({*object.ref_id, random_.between(0.5, 900.0)});
            plant_->objects.push_back(std::move(object));
        }
        plant_->has_electrical_loads = true;
    }

    // Streams take the classes in turn; stream s serves item s / 4.
    void add_stream(long stream)
    {
        const long item = std::min(shape_.items - 1, stream / 4);
        switch (stream % 4) {
        case 0:
            water_or_steam_stream(stream, item);
            break;
        case 1:
            fuel_or_air_stream(stream, item);
            break;
        case 2:
            process_utility_stream(stream, item);
            break;
        default:
            duty_stream(stream, item);
            break;
        }
    }

    void water_or_steam_stream(long stream, long item)
    {
        const bool by_volume = random_.below(2) == 0;
        const Utility& utility = by_volume ? pick(volume_utilities) : pick(mass_utilities);
        qxhost::Object object = flow_stream(stream, 3105, utility, random_.between(1000, 500000));
        plant_->objects.push_back(std::move(object));
        join_by_pattern(stream, item, "Inlet", "Outlet");
    }

    void fuel_or_air_stream(long stream, long item)
    {
        const long kind = random_.below(100);
        if (kind < 20) {
            // Fuel with a firing rate of its own.
            qxhost::Object object = make_object(stream_name(stream), 3305);
            object.slots.set("DESCRIPTION", Value::of_text("Fuel"));
            object.slots.set("Rate", Value::of_number(random_.between(5, 150), "MMBTU/H"));
            plant_->objects.push_back(std::move(object));
        } else {
            static constexpr Utility fixed[] = {{"Fuel", "Fuel Gas", 0, "", 100, 100},
                                                {"Instrument Air", "Air", 0, "", 100, 100},
                                                {"Potable Water", "Water", 0, "", 70, 70}};
            const Utility& utility = kind < 50 ? fixed[0] : kind < 80 ? fixed[1] : fixed[2];
            plant_->objects.push_back(flow_stream(stream, 3305, utility, random_.between(100, 20000)));
        }
        join(stream, item, 2, "Fuel");
    }

    void process_utility_stream(long stream, long item)
    {
        const long basis = random_.below(3);
        const Utility& utility =
            basis == 0 ? pick(volume_utilities) : basis == 1 ? pick(mass_utilities) : pick(duty_utilities);
        qxhost::Object object = flow_stream(stream, 3205, utility, random_.between(500, 200000));
        if (basis == 2) object.slots.set("DUTY", Value::of_number(signed_duty(), "BTU/H"));
        plant_->objects.push_back(std::move(object));
        join_by_pattern(stream, item, "Inlet", "Outlet");
    }

    // Class 3005 by item, in fours: a stream at "Inlet" whose partner joins
    // the same item at "Outlet", then a stream whose partner joins it at
    // another connector, so that every direction of the balance occurs.
    void duty_stream(long stream, long item)
    {
        qxhost::Object object = make_object(stream_name(stream), 3005);
        object.slots.set("DESCRIPTION", Value::of_text(pick(duty_utilities).name));
        object.slots.set("DUTY", Value::of_number(signed_duty(), "BTU/H"));
        plant_->objects.push_back(std::move(object));
        if (random_.below(100) < 3) return;  // joined to nothing
        const long first = item - item % 2;
        switch (item % 4) {
        case 0:
        case 2:
            join(stream, first, 2, "Inlet");
            break;
        case 1:
            join(stream, first, 1, "Outlet");
            break;
        default:
            join(stream, first, 2, "Shell Inlet");
            break;
        }
    }

    qxhost::Object flow_stream(long stream, int class_id, const Utility& utility, double mass_flow)
    {
        qxhost::Object object = make_object(stream_name(stream), class_id);
        object.slots.set("DESCRIPTION", Value::of_text(utility.name));
        object.slots.set("FLUID", Value::of_text(utility.fluid));
        object.slots.set("TOTAL MASS FLOW", Value::of_number(mass_flow, "LB/H"));
        if (random_.below(2) == 0) {
            object.defaults.set("TEMPERATURE", Value::of_number(utility.inlet_f, "DEG F"));
            object.defaults.set("PRESSURE", Value::of_number(random_.between(20, 150), "PSIG"));
        }
        if (std::string_view(utility.fluid) == "Nitrogen") object.slots.set("MOLECULAR WEIGHT", Value::of_number(28.0134));
        if (random_.below(4) == 0) object.stream_name = "Line " + std::to_string(stream);
        return object;
    }

    // Most streams go to their item; some come from it, some run from it to
    // the next item, and a few are joined to nothing.
    void join_by_pattern(long stream, long item, const char* inlet, const char* outlet)
    {
        const long pattern = random_.below(100);
        if (pattern < 65) {
            join(stream, item, 2, inlet);
        } else if (pattern < 82) {
            join(stream, item, 1, outlet);
        } else if (pattern < 95) {
            join(stream, item, 1, outlet);
            join(stream, (item + 1) % shape_.items, 2, inlet);
        } else if (pattern < 97) {
            plant_->connections.push_back({stream_name(stream), "", 2, inlet});
        }
    }

    void join(long stream, long item, int direction, const char* connector)
    {
        plant_->connections.push_back({stream_name(stream), item_name(item), direction, connector});
    }

    void databases_and_rows()
    {
        auto& databases = plant_->databases;
        auto& operating = databases.get_or_add("OP").get_or_add("Operating Unit Costs");
        operating.set("Electricity", Value::of_number(0.07, "$/KWH"));
        operating.set("Fuel", Value::of_number(4.5, "$/MMBTU"));
        databases.get_or_add("STD").get_or_add("Standard Basis Input File").set("Currency Symbol", Value::of_text("$"));
        databases.get_or_add("INV").get_or_add("Investment Analysis Parameters")
            .set("Operating Hours per Period", Value::of_number(8400));
        databases.get_or_add("UTILITY").get_or_add("Process Utilities Information");
        for (const auto& [name, entry] : plant_->entries) plant_->cost_rows.push_back({name.str(), name.str(), "", {}});
        for (const char* name : {"Fuel", "Instrument Air", "Potable Water", "Total Process Utility Cost Per Period"})
            plant_->cost_rows.push_back({name, name, "", {}});
    }

    qxhost::Object make_object(std::string name, int class_id)
    {
        qxhost::Object object;
        object.name = std::move(name);
        object.class_id = class_id;
        object.ref_id = next_ref_id_++;
        return object;
    }

    double signed_duty()
    {
        const double duty = random_.between(2e5, 5e6);
        return random_.below(10) < 3 ? -duty : duty;
    }

    template <std::size_t n>
    const Utility& pick(const std::array<Utility, n>& utilities)
    {
        return utilities[static_cast<std::size_t>(random_.below(static_cast<long>(n)))];
    }

    static std::string numbered(const char* prefix, long number)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%s%06ld", prefix, number);
        return text;
    }
    static std::string area_name(long area) { return numbered("AREA-", area); }
    static std::string item_name(long item) { return numbered("EQ-", item); }
    static std::string stream_name(long stream) { return numbered("S-", stream); }

    PlantShape shape_;
    Random random_;
    std::unique_ptr<qxhost::Project> plant_ = std::make_unique<qxhost::Project>();
    std::uint32_t next_ref_id_ = 1;
};

}  // namespace

PlantShape plant_shape(long streams)
{
    PlantShape shape;
    shape.streams = std::max(streams, 4L);
    shape.items = shape.streams / 4;
    shape.areas = std::max(shape.streams / 100, 1L);
    return shape;
}

std::unique_ptr<qxhost::Project> generate_plant(long streams, std::uint64_t seed)
{
    return Builder(streams, seed).build();
}

UserSlips add_user_slips(qxhost::Project& project)
{
    UserSlips slips;
    long flows = 0;
    for (qxhost::Object& object : project.objects) {
        qxhost::Value* flow = object.slots.find("TOTAL MASS FLOW");
        qxhost::Value* description = object.slots.find("DESCRIPTION");
        if (flow == nullptr || description == nullptr || description->kind != Value::Kind::text) continue;
        const long at = flows++;
        if (at % 100 == 0) {
            description->text.pop_back();
            ++slips.misspelt;
        } else if (at % 100 == 50) {
            flow->units = "";
            ++slips.without_units;
        }
    }
    project.databases.get_or_add("OP").get_or_add("Operating Unit Costs").set("Electricity",
                                                                               Value::of_number(110, "$/MWH"));
    return slips;
}

}  // namespace tovex_bench
