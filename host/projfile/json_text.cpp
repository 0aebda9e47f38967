#include "projfile/json_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace qxhost {

namespace {

constexpr std::size_t one_line_limit = 100;

std::string number_text(double value)
{
    if (!std::isfinite(value)) throw std::invalid_argument("a number that is not finite has no JSON form");
    // "-0" would read back as the integer 0 and lose the sign.
    if (value == 0.0 && std::signbit(value)) return "-0.0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string scalar_text(const Json& value)
{
    if (value.is_number_float()) return number_text(value.get<double>());
    if (value.is_string()) return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    return value.dump();
}

bool holds_containers(const Json& container)
{
    for (const Json& element : container) {
        if (element.is_structured()) return true;
    }
    return false;
}

class JsonWriter {
public:
    std::string take() { return std::move(out_); }

    void write(const Json& value, int depth)
    {
        if (!value.is_structured()) {
            out_ += scalar_text(value);
        } else if (value.empty()) {
            out_ += value.is_object() ? "{}" : "[]";
        } else if (!holds_containers(value)) {
            const std::string line = one_line(value);
            if (line.size() <= one_line_limit) out_ += line;
            else write_indented(value, depth);
        } else {
            write_indented(value, depth);
        }
    }

private:
    static std::string one_line(const Json& container)
    {
        const bool object = container.is_object();
        std::string line = object ? "{" : "[";
        bool first = true;
        for (auto it = container.begin(); it != container.end(); ++it) {
            if (!first) line += ", ";
            first = false;
            if (object) line += scalar_text(Json(it.key())) + ": ";
            line += scalar_text(*it);
        }
        return line + (object ? "}" : "]");
    }

    void write_indented(const Json& container, int depth)
    {
        const bool object = container.is_object();
        out_ += object ? "{\n" : "[\n";
        bool first = true;
        for (auto it = container.begin(); it != container.end(); ++it) {
            if (!first) out_ += ",\n";
            first = false;
            indent(depth + 1);
            if (object) out_ += scalar_text(Json(it.key())) + ": ";
            write(*it, depth + 1);
        }
        out_ += "\n";
        indent(depth);
        out_ += object ? "}" : "]";
    }

    void indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 2, ' '); }

    std::string out_;
};

}  // namespace

std::string json_text(const Json& document)
{
    JsonWriter writer;
    writer.write(document, 0);
    return writer.take();
}

}  // namespace qxhost
