// Densities of water and of ideal gases.
#include <bit>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "propkit/fluid_density.h"
#include "propkit/if97.h"

namespace qxhost::fluids {
namespace {

bool positive_and_finite(double value)
{
    return value > 0.0 && std::isfinite(value);
}

}  // namespace

std::optional<double> ideal_gas_density(double temperature, double pressure, double molar_mass)
{
    if (!positive_and_finite(temperature) || !positive_and_finite(pressure) || !positive_and_finite(molar_mass)) {
        return std::nullopt;
    }
    // p [MPa] * M [g/mol] = 1e3 Pa kg/mol
    return pressure * 1e3 * molar_mass / (molar_gas_constant * temperature);
}

bool water_is_liquid(double temperature, double pressure)
{
    if (pressure < if97::triple_point_pressure) return false;
    if (pressure > if97::critical_pressure) return temperature <= if97::region1_max_temperature;
    return temperature <= if97::saturation_temperature(pressure);
}

namespace {

// Streams of a plant share a few states (a utility's supply temperature and
// pressure, the standard state), and region 1 is dear: its results are kept
// by the exact bits of the state, so a repeat gives the same double.
class StateMemo {
public:
    const std::optional<double>* find(double temperature, double pressure) const
    {
        const auto found = results_.find(key(temperature, pressure));
        return found == results_.end() ? nullptr : &found->second;
    }
    void keep(double temperature, double pressure, std::optional<double> density)
    {
        if (results_.size() >= capacity) results_.clear();
        results_.emplace(key(temperature, pressure), density);
    }

private:
    static constexpr std::size_t capacity = 4096;
    struct KeyHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const
        {
            return std::hash<std::uint64_t>{}(k.first * 0x9E3779B97F4A7C15ULL ^ k.second);
        }
    };
    static std::pair<std::uint64_t, std::uint64_t> key(double temperature, double pressure)
    {
        return {std::bit_cast<std::uint64_t>(temperature), std::bit_cast<std::uint64_t>(pressure)};
    }
    std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, std::optional<double>, KeyHash> results_;
};

std::optional<double> computed_water_density(double temperature, double pressure)
{
    if (!water_is_liquid(temperature, pressure)) {
        return ideal_gas_density(temperature, pressure, water_molar_mass);
    }
    // Region 1 is not extended beyond its range: a number from outside it
    // would be taken for a valid density and priced.
    if (temperature < if97::region1_min_temperature || temperature > if97::region1_max_temperature ||
        pressure > if97::region1_max_pressure) {
        return std::nullopt;
    }
    return 1.0 / if97::region1(temperature, pressure).specific_volume;
}

}  // namespace

std::optional<double> water_density(double temperature, double pressure)
{
    if (!positive_and_finite(temperature) || !positive_and_finite(pressure)) return std::nullopt;
    thread_local StateMemo memo;
    if (const std::optional<double>* known = memo.find(temperature, pressure)) return *known;
    const std::optional<double> density = computed_water_density(temperature, pressure);
    memo.keep(temperature, pressure, density);
    return density;
}

}  // namespace qxhost::fluids
