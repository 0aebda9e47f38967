// A JSON value as the project reader checks it: read-only, and held in an
// arena that owns its texts and children. Parsing a large file makes
// millions of values; the arena makes each a few bytes in a block instead
// of a node with its own allocations, and drops them all at once.
#ifndef QXHOST_PROJFILE_JSON_VALUE_H
#define QXHOST_PROJFILE_JSON_VALUE_H

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace qxhost {

struct JsonMember;

class JsonValue {
public:
    enum class Kind : std::uint8_t { null, boolean, integer, unsigned_integer, floating, string, array, object };

    JsonValue() = default;
    static JsonValue of_bool(bool value);
    static JsonValue of_integer(std::int64_t value);
    static JsonValue of_unsigned(std::uint64_t value);
    static JsonValue of_double(double value);
    // The text, members and elements must outlive the value: they stand in
    // its arena.
    static JsonValue of_string(std::string_view text);
    static JsonValue of_array(std::span<const JsonValue> elements);
    static JsonValue of_object(std::span<const JsonMember> members);

    Kind kind() const { return kind_; }
    bool is_null() const { return kind_ == Kind::null; }
    bool is_boolean() const { return kind_ == Kind::boolean; }
    bool is_string() const { return kind_ == Kind::string; }
    bool is_array() const { return kind_ == Kind::array; }
    bool is_object() const { return kind_ == Kind::object; }
    bool is_structured() const { return is_array() || is_object(); }
    bool is_number() const { return is_number_integer() || kind_ == Kind::floating; }
    // Negative integers are `integer`, others `unsigned_integer`; both are
    // integers. An integer beyond 64 bits is read as a floating number.
    bool is_number_integer() const { return kind_ == Kind::integer || kind_ == Kind::unsigned_integer; }
    bool is_number_unsigned() const { return kind_ == Kind::unsigned_integer; }
    bool is_number_float() const { return kind_ == Kind::floating; }
    // "null", "boolean", "number", "string", "array" or "object".
    const char* type_name() const;

    bool boolean() const { return boolean_; }
    std::int64_t integer() const;  // of any integer
    std::uint64_t unsigned_integer() const { return unsigned_; }
    double number() const;  // of any number
    std::string_view string() const { return {text_, size_}; }
    std::span<const JsonValue> elements() const { return {elements_, size_}; }
    std::span<const JsonMember> members() const;

private:
    explicit JsonValue(Kind kind, std::size_t size = 0) : size_(size), kind_(kind) {}

    union {
        bool boolean_;
        std::int64_t integer_;
        std::uint64_t unsigned_;
        double double_;
        const char* text_;
        const JsonValue* elements_;
        const JsonMember* members_;
    };
    std::size_t size_ = 0;
    Kind kind_ = Kind::null;
};

struct JsonMember {
    std::string_view key;
    JsonValue value;
};

inline std::span<const JsonMember> JsonValue::members() const { return {members_, size_}; }

using JsonObject = std::span<const JsonMember>;
using JsonArray = std::span<const JsonValue>;

// Where values, their texts and their children are kept; reset() drops
// them all and keeps the blocks for the next.
class JsonArena {
public:
    std::string_view copy(std::string_view text);
    std::span<const JsonValue> copy(std::span<const JsonValue> elements);
    std::span<const JsonMember> copy(std::span<const JsonMember> members);
    void reset();

private:
    void* allocate(std::size_t bytes, std::size_t alignment);

    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
    };
    std::vector<Block> blocks_;
    std::size_t current_ = 0;  // the block being filled
    std::size_t used_ = 0;     // bytes of it taken
};

}  // namespace qxhost

#endif
