// Hints for a name or a unit text that matches nothing: the one meant is
// usually a letter case or a typing slip away.
#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

#include "rules.h"
#include "textkit/text_trimmed.h"
#include "unitkit/unit_table.h"

namespace qxhost::checks {

namespace {

// A slip of more characters than this is taken for another name.
constexpr std::size_t max_slip = 2;

std::string upper(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return folded;
}

// Edits (insertions, deletions, replacements) from `a` to `b`, or more than
// `limit` once it is certain to exceed it.
std::size_t edits(std::string_view a, std::string_view b, std::size_t limit)
{
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) return limit + 1;
    }
    return row[b.size()];
}

// The candidate fewest edits away, counting a letter case slip as none;
// the first of equals wins, so the order of the candidates decides ties.
std::string nearest(std::string_view text, const std::vector<std::string>& candidates)
{
    const std::string wanted = upper(text);
    std::string best;
    std::size_t best_edits = max_slip + 1;
    for (const std::string& candidate : candidates) {
        const std::size_t count = edits(wanted, upper(candidate), max_slip);
        // A short name is easily another short name: at least one character
        // of it must stay.
        if (count < best_edits && count < std::max<std::size_t>(wanted.size(), 1)) {
            best = candidate;
            best_edits = count;
        }
    }
    return best;
}

}  // namespace

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && upper(text.substr(0, prefix.size())) == upper(prefix);
}

std::string nearest_name(std::string_view text, const std::vector<std::string_view>& candidates)
{
    return nearest(text, std::vector<std::string>(candidates.begin(), candidates.end()));
}

std::string normal_units(std::string_view units)
{
    std::string normal;
    for (const char c : units)
        if (c != ' ' && c != '\t') normal += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return normal;
}

int basis_of(std::string_view rate_units)
{
    if (units_converted(rate_units, "CFH", 1.0)) return 1;
    if (units_converted(rate_units, "LB/H", 1.0)) return 2;
    if (units_converted(rate_units, "BTU/H", 1.0)) return 3;
    return 0;
}

std::string rate_units_of(std::string_view cost_units)
{
    const std::size_t slash = cost_units.find('/');
    if (slash == std::string_view::npos) return {};
    return std::string(text_trimmed(cost_units.substr(slash + 1), edge_blanks)) + "/H";
}

bool known_units(std::string_view units)
{
    return !normal_units(units).empty() && units_converted(units, units, 1.0).has_value();
}

std::string nearest_units(std::string_view units, std::string_view like)
{
    // Each pair is worked out once: a plant may give one slip many times.
    static std::mutex guard;
    static std::map<std::pair<std::string, std::string>, std::string> known;
    const std::lock_guard lock(guard);
    auto [at, inserted] = known.try_emplace({normal_units(units), std::string(like)});
    if (!inserted) return at->second;

    std::vector<std::string> candidates;
    const std::vector<std::string_view> codes = unitkit_unit_codes();
    for (const std::string_view code : codes) candidates.emplace_back(code);
    if (like.find('/') != std::string_view::npos) {
        for (const std::string_view code : codes)
            for (const std::string_view time : {"H", "HR", "S", "MIN", "D", "Y"})
                candidates.push_back(std::string(code) + "/" + std::string(time));
    }
    std::erase_if(candidates, [&](const std::string& candidate) {
        return !units_converted(candidate, like, 1.0).has_value();
    });
    return at->second = nearest(at->first.first, candidates);
}

std::string other_case_slot_hint(const Object& object, std::string_view name)
{
    const std::string wanted = upper(name);
    for (const SlotTable* table : {&object.slots, &object.defaults}) {
        for (const auto& [slot, value] : *table) {
            if (slot.view() != name && upper(slot.view()) == wanted)
                return "the object has \"" + slot.str() + "\": slot names are matched exactly, write \"" +
                       std::string(name) + "\"";
        }
    }
    return {};
}

}  // namespace qxhost::checks
