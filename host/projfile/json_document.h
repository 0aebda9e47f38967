// Parsing the text of a project file into a JSON document, with the checks
// that a plain parse leaves out: two keys of one name inside one object, and
// the line and column of a syntax error.
#ifndef QXHOST_PROJFILE_JSON_DOCUMENT_H
#define QXHOST_PROJFILE_JSON_DOCUMENT_H

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qxhost {

using Json = nlohmann::ordered_json;

// The document in `text`, keys in file order. Throws ProjectFileError naming
// `file_label` with the line and column of a syntax error, or the JSON
// Pointer of a key that an object already holds.
Json parse_json_document(std::string_view text, const std::string& file_label);

// Appends `key` to an object without looking for it first (the ordered
// map's own insert is a linear search); the caller knows it is new.
void append_member(Json& object, std::string key, Json value);

// `token` as one reference token of a JSON Pointer ("~" as "~0", "/" as "~1").
std::string pointer_token(std::string_view token);

}  // namespace qxhost

#endif
