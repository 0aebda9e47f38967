// The host's text services that the module leans on, fed arbitrary texts:
// unit texts to the conversion and the cost basis, value texts to the cost
// posting, list_pop_first, and the number reads. The input is split at its
// first two NUL bytes into three texts.
#include <cmath>
#include <cstdlib>

#include "json/json_writer.h"
#include "common/text.h"
#include "costs/cost_posting.h"
#include "fuzz_support.h"
#include "host/listkit.h"
#include "model/cost_row_lists.h"
#include "host/textkit.h"
#include "host/unitkit.h"
#include "rates/utility_rate.h"
#include "reports/load_file.h"

namespace {

std::string_view next_text(std::string_view& input)
{
    const std::size_t end = input.find('\0');
    const std::string_view text = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return text;
}

void convert_units(std::string_view from, std::string_view to, std::string_view amount)
{
    double value = 0.0;
    convert_todouble(amount, &value);
    double converted = value;
    std::string message;
    if (units_adjust(from, to, &value, &converted, &message, "", "b") == 0 && converted != value &&
        !(std::isnan(value) && std::isnan(converted)))
        std::abort();  // a failed conversion leaves its output as it was
    units_converted(from, to, value);
    unitkit_flow_basis(from);
    tovex::rate_units_from_cost_units(std::string(from));
    unitkit_clear_warnings();
}

void post_value(std::string_view key, std::string_view old_value, std::string_view value)
{
    const qxhost::CallerLists lists({{std::string(key), std::string(key), std::string(old_value), {}}});
    std::string text(value);
    tovex::add_utility_costs(lists.cost_slots(), lists.values(), key, text);
}

void read_numbers(std::string_view text)
{
    double value = 0.0;
    convert_todouble(text, &value);
    std::string written;
    compiler_float_to_string(value, written);
    tovex::leading_number(text);
    tovex::general7_with_units(value, std::string(text));
    tovex::fixed6(value);
    const auto parts = tovex::split_value_text(std::string(text));
    tovex::leading_number(parts.amount);
}

void take_lines(std::string_view text)
{
    std::string rest(text);
    std::string line;
    // Each call takes at least a line feed off, or ends the text.
    for (std::size_t calls = 0; list_pop_first(rest, line) != 0; ++calls)
        if (calls > text.size()) std::abort();
    tovex::load_line_pieces(text);
    std::string blanked(text);
    tovex::blank_through_first_slash(blanked);
    text_remove_initial_and_trailing_blanks(blanked);
    qxhost::is_utf8(text);
    tovex::trim_right(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = tovex_fuzz::bytes_text(data, size);
    const std::string_view first = next_text(input);
    const std::string_view second = next_text(input);
    const std::string_view third = input;
    convert_units(first, second, third);
    post_value(first, second, third);
    read_numbers(first);
    take_lines(third);
    return 0;
}
