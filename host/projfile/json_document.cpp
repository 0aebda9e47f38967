#include "projfile/json_document.h"

#include <cstddef>
#include <unordered_set>
#include <utility>
#include <vector>

#include "projfile/projfile.h"

namespace qxhost {

std::string pointer_token(std::string_view token)
{
    std::string escaped;
    escaped.reserve(token.size());
    for (char ch : token) {
        if (ch == '~') escaped += "~0";
        else if (ch == '/') escaped += "~1";
        else escaped += ch;
    }
    return escaped;
}

void append_member(Json& object, std::string key, Json value)
{
    if (!object.is_object()) object = Json::object();
    auto& members = static_cast<Json::object_t::Container&>(object.get_ref<Json::object_t&>());
    members.emplace_back(std::move(key), std::move(value));
}

namespace {

// 1-based line and column of the byte at `offset`; columns count characters,
// not the bytes of a multi-byte UTF-8 sequence.
std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset)
{
    if (offset > text.size()) offset = text.size();
    std::size_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    std::size_t column = 1;
    for (std::size_t i = line_start; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) ++column;
    }
    return {line, column};
}

// The parser's own message without its exception tag and its position
// (which counts bytes; the position is given in front instead).
std::string parser_reason(const std::string& what)
{
    std::string reason = what;
    if (!reason.empty() && reason.front() == '[') {
        const auto close = reason.find("] ");
        if (close != std::string::npos) reason.erase(0, close + 2);
    }
    if (reason.rfind("parse error", 0) == 0) {
        const auto colon = reason.find(": ");
        if (colon != std::string::npos) reason.erase(0, colon + 2);
    }
    return reason;
}

// Builds the document from the parser's events. Keys are appended without
// the ordered map's own lookup (which is linear); duplicates are caught by a
// set per open object instead.
class DocumentBuilder : public nlohmann::json_sax<Json> {
public:
    DocumentBuilder(std::string_view text, const std::string& file_label)
        : text_(text), file_label_(file_label)
    {
    }

    Json take() { return std::move(root_); }

    bool null() override { return add(Json(nullptr)); }
    bool boolean(bool value) override { return add(Json(value)); }
    bool number_integer(number_integer_t value) override { return add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(Json(value)); }
    bool string(string_t& value) override { return add(Json(std::move(value))); }
    bool binary(binary_t& value) override { return add(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& key) override
    {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(key).second) {
            throw ProjectFileError(file_label_ + ": at " + pointer_of(key) + ": duplicate key \"" + key +
                                   "\" (the object already has it)");
        }
        frame.pending_key = std::move(key);
        return true;
    }

    bool parse_error(std::size_t position, const std::string& last_token,
                     const nlohmann::detail::exception& error) override
    {
        // The parser has read `position` bytes. A syntax error lies at the
        // last of them; a number out of range is pointed at where it starts.
        std::size_t offset = position == 0 ? 0 : position - 1;
        if (error.id == 406 && last_token.size() <= position) offset = position - last_token.size();
        const auto [line, column] = line_and_column(text_, offset);
        throw ProjectFileError(file_label_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                               parser_reason(error.what()));
    }

private:
    struct Frame {
        Json* container;
        std::string token;  // this container's reference token in its parent
        std::unordered_set<std::string> keys;
        std::string pending_key;
    };

    // Where a new value goes: the root, the end of the open array, or the
    // pending key of the open object. Returns the stored value.
    Json& place(Json value, std::string& token)
    {
        if (frames_.empty()) {
            root_ = std::move(value);
            return root_;
        }
        Frame& frame = frames_.back();
        if (frame.container->is_array()) {
            token = std::to_string(frame.container->size());
            frame.container->push_back(std::move(value));
            return frame.container->back();
        }
        token = pointer_token(frame.pending_key);
        append_member(*frame.container, std::move(frame.pending_key), std::move(value));
        return frame.container->get_ref<Json::object_t&>().back().second;
    }

    bool add(Json value)
    {
        std::string token;
        place(std::move(value), token);
        return true;
    }

    bool open(Json container)
    {
        std::string token;
        Json& stored = place(std::move(container), token);
        frames_.push_back(Frame{&stored, std::move(token), {}, {}});
        return true;
    }

    bool close()
    {
        frames_.pop_back();
        return true;
    }

    std::string pointer_of(std::string_view key) const
    {
        std::string pointer;
        for (std::size_t i = 1; i < frames_.size(); ++i) pointer += "/" + frames_[i].token;
        return pointer + "/" + pointer_token(key);
    }

    std::string_view text_;
    const std::string& file_label_;
    Json root_;
    std::vector<Frame> frames_;
};

}  // namespace

Json parse_json_document(std::string_view text, const std::string& file_label)
{
    DocumentBuilder builder(text, file_label);
    Json::sax_parse(text, &builder);
    return builder.take();
}

}  // namespace qxhost
