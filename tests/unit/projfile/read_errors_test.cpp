// Every way a project file can be wrong is reported with the file, and
// either the line and column (syntax) or the JSON Pointer (values).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "projfile/projfile.h"

namespace {

std::string error_of(std::string_view text)
{
    try {
        qxhost::parse_project(text, "plant.json");
    } catch (const qxhost::ProjectFileError& error) {
        return error.what();
    }
    return "(no error)";
}

// A valid project around `rest` (further top-level members, with a leading
// comma).
std::string project_with(const std::string& rest)
{
    return R"({"project": {"instance": 7, "name": "P", "scenario": "S"})" + rest + "}";
}

struct Case {
    const char* what;
    std::string text;
    std::string message;  // the error message starts with this
};

void expect_errors(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const std::string message = error_of(c.text);
        EXPECT_EQ(message.substr(0, c.message.size()), c.message) << c.what << "\n  full message: " << message;
    }
}

TEST(ReadErrors, SyntaxErrorsNameLineAndColumn)
{
    expect_errors({
        {"bad literal on line 2", "{\n  \"project\": tru\n}", "plant.json:2:17: syntax error"},
        {"empty text", "", "plant.json:1:1: syntax error"},
        {"unclosed object", "{\"project\": {}", "plant.json:1:15: syntax error"},
        {"trailing comma", "{\"a\": 1,}", "plant.json:1:9: syntax error"},
        {"text after the document", "{}\nx", "plant.json:2:1: syntax error"},
        {"columns count characters, not bytes", "{\"\xC3\xA9\xC3\xA9\": x}", "plant.json:1:8: syntax error"},
        {"number out of range points at the number", "{\n \"a\": 1e400}", "plant.json:2:7: number overflow"},
    });
}

// The whole message: what is wrong, and the text of the line around the
// place, at most twenty characters each side, control bytes and bytes that
// are not UTF-8 shown as escapes.
TEST(ReadErrors, SyntaxErrorsSayWhatAndShowTheTextThere)
{
    const std::string a30(30, 'a');
    const std::string b30(30, 'b');
    expect_errors({
        {"indentation left out", "{\n  \"a\": 1,\n  }",
         "plant.json:3:3: syntax error: expected a key in double quotes, near '}'"},
        {"a bad escape at its backslash", R"({"a": "\x"})",
         R"(plant.json:1:8: syntax error: invalid escape in a string, near '{"a": "\x"}')"},
        {"a raw tab", "{\"a\": \"a\tb\"}",
         R"(plant.json:1:9: syntax error: a control character in a string must be escaped, near '{"a": "a\tb"}')"},
        {"bytes that are not UTF-8, from the first", "{\"a\": \"\xED\xA0\x80\"}",
         R"(plant.json:1:8: syntax error: a string that is not UTF-8, near '{"a": "\xED\xA0\x80"}')"},
        {"cut short", R"({"a": [1, 2)",
         R"(plant.json:1:12: syntax error: expected ',' or ']' after an array element, near '{"a": [1, 2')"
         " at the end of the text"},
        {"nothing at all", "\n", "plant.json:2:1: syntax error: no JSON value, at the end of the text"},
        {"a long line", "[\"" + a30 + "\" \"" + b30 + "\"]",
         "plant.json:1:35: syntax error: expected ',' or ']' after an array element, near '" + a30.substr(12) +
             "\" \"" + b30.substr(11) + "'"},
        {"a byte order mark is no column", "\xEF\xBB\xBF{\"a\" 1}",
         R"(plant.json:1:6: syntax error: expected ':' after a key, near '{"a" 1}')"},
    });
}

TEST(ReadErrors, TextThatIsNotUtf8IsASyntaxError)
{
    const std::string message = error_of("{\"project\": \"\xFF\"}");
    EXPECT_EQ(message.rfind("plant.json:1:", 0), 0u) << message;
    EXPECT_NE(message.find("UTF-8"), std::string::npos) << message;
}

TEST(ReadErrors, DuplicateKeysAreFoundAtAnyDepth)
{
    expect_errors({
        {"top level", R"({"project": {"instance": 1, "name": "P", "scenario": "S"}, "project": {}})",
         "plant.json: at /project: duplicate key \"project\""},
        {"inside project", R"({"project": {"instance": 1, "instance": 2, "name": "P", "scenario": "S"}})",
         "plant.json: at /project/instance: duplicate key"},
        {"slot names, escaped in the pointer",
         project_with(R"(, "objects": [{"name": "A", "class": 1}, {"name": "B", "class": 1,
                          "slots": {"x/y~z": 1, "x/y~z": 2}}])"),
         "plant.json: at /objects/1/slots/x~1y~0z: duplicate key"},
        {"inside an array of objects", project_with(R"(, "cost_rows": [{"name": "a", "name": "b"}])"),
         "plant.json: at /cost_rows/0/name: duplicate key"},
    });
}

TEST(ReadErrors, DocumentAndProjectSection)
{
    expect_errors({
        {"not an object", "[]", "plant.json: at the top level: expected an object"},
        {"unknown top-level key", project_with(R"(, "extras": 1)"), "plant.json: at /extras: unknown key \"extras\""},
        {"no project", "{}", "plant.json: at /project: required key \"project\" is missing"},
        {"no instance", R"({"project": {"name": "P", "scenario": "S"}})", "plant.json: at /project/instance: required key"},
        {"no name", R"({"project": {"instance": 1, "scenario": "S"}})", "plant.json: at /project/name: required key"},
        {"no scenario", R"({"project": {"instance": 1, "name": "P"}})", "plant.json: at /project/scenario: required key"},
        {"unknown project key", R"({"project": {"instance": 1, "name": "P", "scenario": "S", "id": 2}})",
         "plant.json: at /project/id: unknown key"},
        {"negative instance", R"({"project": {"instance": -1, "name": "P", "scenario": "S"}})",
         "plant.json: at /project/instance: expected an unsigned 32-bit integer"},
        {"instance over 32 bits", R"({"project": {"instance": 4294967296, "name": "P", "scenario": "S"}})",
         "plant.json: at /project/instance: expected an unsigned 32-bit integer"},
        {"instance with a fraction", R"({"project": {"instance": 7.5, "name": "P", "scenario": "S"}})",
         "plant.json: at /project/instance: expected an unsigned 32-bit integer"},
        {"instance as text", R"({"project": {"instance": "7", "name": "P", "scenario": "S"}})",
         "plant.json: at /project/instance: expected an unsigned 32-bit integer"},
        {"name not a text", R"({"project": {"instance": 7, "name": 7, "scenario": "S"}})",
         "plant.json: at /project/name: expected a string"},
        {"unit system not an integer", R"({"project": {"instance": 7, "name": "P", "scenario": "S", "unit_system": true}})",
         "plant.json: at /project/unit_system: expected an integer"},
        {"other format", R"({"format": "tovex-project/2", "project": {"instance": 7, "name": "P", "scenario": "S"}})",
         "plant.json: at /format: expected \"tovex-project/1\""},
        {"simulation case validity not a boolean", project_with(R"(, "simulation_case": {"valid": 0})"),
         "plant.json: at /simulation_case/valid: expected true or false"},
        {"configuration not an integer", project_with(R"(, "configurations": [2105, "2005"])"),
         "plant.json: at /configurations/1: expected an integer"},
        {"criterion not a number", project_with(R"(, "design_criteria": {"G": {"C": "20500"}})"),
         "plant.json: at /design_criteria/G/C: expected a number"},
    });
}

TEST(ReadErrors, NamesAndReferences)
{
    expect_errors({
        {"two objects of one name",
         project_with(R"(, "objects": [{"name": "E-1", "class": 1705}, {"name": "E-1", "class": 3105}])"),
         "plant.json: at /objects/1/name: duplicate object name \"E-1\" (also at /objects/0"},
        {"empty object name", project_with(R"(, "objects": [{"name": "", "class": 1705}])"),
         "plant.json: at /objects/0/name: expected a non-empty object name"},
        {"object without class", project_with(R"(, "objects": [{"name": "E-1"}])"),
         "plant.json: at /objects/0/class: required key"},
        {"two entries of one name",
         project_with(R"(, "utility_streams": {"entries": [{"name": "Steam"}, {"name": "Steam"}]})"),
         "plant.json: at /utility_streams/entries/1/name: duplicate entry name \"Steam\""},
        {"two objects with one ref_id",
         project_with(R"(, "objects": [{"name": "A", "class": 1, "ref_id": 5}, {"name": "B", "class": 1, "ref_id": 5}])"),
         "plant.json: at /objects/1/ref_id: duplicate ref_id 5 (also at /objects/0/ref_id"},
        {"area naming no object", project_with(R"(, "objects": [{"name": "E-1", "class": 1705, "area": "AREA-9"}])"),
         "plant.json: at /objects/0/area: no object is named \"AREA-9\""},
        {"connection from no stream",
         project_with(R"(, "objects": [{"name": "E-1", "class": 1705}],
                          "connections": [{"stream": "CW-1", "item": "E-1", "direction": 2, "connector": "Inlet"}])"),
         "plant.json: at /connections/0/stream: no object is named \"CW-1\""},
        {"connection to no item",
         project_with(R"(, "objects": [{"name": "CW-1", "class": 3105}],
                          "connections": [{"stream": "CW-1", "item": "E-1", "direction": 2, "connector": "Inlet"}])"),
         "plant.json: at /connections/0/item: no object is named \"E-1\""},
    });
}

TEST(ReadErrors, ConnectionDirections)
{
    const auto with_direction = [](const std::string& direction) {
        return project_with(R"(, "objects": [{"name": "CW-1", "class": 3105}],
                               "connections": [{"stream": "CW-1", "item": "", "direction": )" +
                            direction + R"(, "connector": "Inlet"}])");
    };
    for (const char* bad : {"0", "3", "-1", "1.0", "\"1\"", "null"}) {
        EXPECT_EQ(error_of(with_direction(bad)).rfind("plant.json: at /connections/0/direction: expected 1 or 2", 0), 0u)
            << bad << ": " << error_of(with_direction(bad));
    }
    EXPECT_EQ(error_of(with_direction("1")), "(no error)");
    EXPECT_EQ(error_of(with_direction("2")), "(no error)");
}

TEST(ReadErrors, SlotValuesOfNoKnownForm)
{
    const auto with_slot = [](const std::string& value) {
        return project_with(R"(, "objects": [{"name": "CW-1", "class": 3105, "slots": {"TOTAL MASS FLOW": )" + value +
                            "}}]");
    };
    const std::string at = "plant.json: at /objects/0/slots/TOTAL MASS FLOW";
    expect_errors({
        {"boolean", with_slot("true"), at + ": expected a slot value"},
        {"null", with_slot("null"), at + ": expected a slot value"},
        {"array of numbers", with_slot("[1]"), at + "/0: expected a string"},
        {"text as the number", with_slot(R"({"value": "abc", "units": "LB/H"})"),
         at + "/value: expected a number or \"inf\", \"-inf\", \"nan\""},
        {"infinity spelled otherwise", with_slot(R"({"value": "Infinity"})"), at + "/value: expected a number"},
        {"no value", with_slot(R"({"units": "LB/H"})"), at + "/value: required key"},
        {"units not a text", with_slot(R"({"value": 1, "units": 2})"), at + "/units: expected a string"},
        {"unknown key beside the value", with_slot(R"({"value": 1, "unit": "KW"})"), at + "/unit: unknown key \"unit\""},
        {"defaults checked as well",
         project_with(R"(, "objects": [{"name": "CW-1", "class": 3105, "defaults": {"T": false}}])"),
         "plant.json: at /objects/0/defaults/T: expected a slot value"},
        {"database slots",
         project_with(R"(, "databases": {"OP": {"Operating Unit Costs": {"Fuel": [true]}}})"),
         "plant.json: at /databases/OP/Operating Unit Costs/Fuel/0: expected a string"},
        {"entry slots",
         project_with(R"(, "utility_streams": {"entries": [{"name": "Steam", "slots": {"Fluid": {}}}]})"),
         "plant.json: at /utility_streams/entries/0/slots/Fluid/value: required key"},
    });
}

TEST(ReadErrors, SectionsOfTheWrongShape)
{
    expect_errors({
        {"objects not an array", project_with(R"(, "objects": {})"), "plant.json: at /objects: expected an array, found object"},
        {"slots not an object", project_with(R"(, "objects": [{"name": "A", "class": 1, "slots": []}])"),
         "plant.json: at /objects/0/slots: expected an object, found array"},
        {"database not an object", project_with(R"(, "databases": {"OP": []})"),
         "plant.json: at /databases/OP: expected an object"},
        {"cost row without cost slot", project_with(R"(, "cost_rows": [{"name": "Fuel"}])"),
         "plant.json: at /cost_rows/0/cost_slot: required key"},
        {"cost row number negative", project_with(R"(, "cost_rows": [{"name": "F", "cost_slot": "F", "number": -1}])"),
         "plant.json: at /cost_rows/0/number: expected an unsigned 64-bit integer"},
        {"load without kw", project_with(R"(, "electrical_loads": {"items": [{"ref_id": 1}]})"),
         "plant.json: at /electrical_loads/items/0/kw: required key"},
        {"load file not a text", project_with(R"(, "electrical_load_file": ["a"])"),
         "plant.json: at /electrical_load_file: expected a string"},
        {"entry validity not a boolean", project_with(R"(, "utility_streams": {"entries": [{"name": "S", "valid": "no"}]})"),
         "plant.json: at /utility_streams/entries/0/valid: expected true or false"},
    });
}

// Objects and connections are taken while the file is parsed; the error a
// file reports must still be the first in the order of the sections, and a
// syntax error anywhere must still win.
TEST(ReadErrors, TheFirstErrorInSectionOrderWinsWhateverTheKeyOrder)
{
    expect_errors({
        {"a bad project after a bad object",
         R"({"objects": [{"name": "E-1"}], "project": {"instance": 7, "name": "P"}})",
         "plant.json: at /project/scenario: required key"},
        {"a syntax error after a bad object",
         R"({"project": {"instance": 7, "name": "P", "scenario": "S"}, "objects": [{"name": "E-1"}], "x": tru})",
         "plant.json:1:"},
        {"a bad object ahead of a good one", project_with(R"(, "objects": [{"name": 1}, {"name": "B", "class": 1}])"),
         "plant.json: at /objects/0/name: expected a string"},
        {"a bad connection before the objects it names",
         project_with(R"(, "connections": [{"stream": "S", "item": "E", "direction": 3}],
                          "objects": [{"name": "S", "class": 3105}, {"name": "E", "class": 1705}])"),
         "plant.json: at /connections/0/direction: expected 1 or 2"},
        {"an unknown name ahead of a connection of the wrong form",
         project_with(R"(, "objects": [{"name": "S", "class": 3105}],
                          "connections": [{"stream": "T", "direction": 2}, {"stream": "S", "direction": 2.0}])"),
         "plant.json: at /connections/0/stream: no object is named \"T\""},
        {"a connection of the wrong form ahead of an unknown name",
         project_with(R"(, "objects": [{"name": "S", "class": 3105}],
                          "connections": [{"stream": "S", "direction": 2, "pipe": 1}, {"stream": "T", "direction": 2}])"),
         "plant.json: at /connections/0/pipe: unknown key"},
        {"the stream's name is judged before the item's form",
         project_with(R"(, "connections": [{"stream": "T", "item": 5, "direction": 2}])"),
         "plant.json: at /connections/0/stream: no object is named \"T\""},
    });
}

TEST(ReadErrors, ConnectionsMayComeBeforeTheObjectsTheyName)
{
    const auto project = qxhost::parse_project(
        project_with(R"(, "connections": [{"stream": "S", "item": "E", "direction": 2, "connector": "Inlet"},
                                           {"stream": "S", "direction": 1}],
                         "objects": [{"name": "S", "class": 3105}, {"name": "E", "class": 1705}])"),
        "plant.json");
    ASSERT_EQ(project->connections.size(), 2u);
    EXPECT_EQ(project->connections[0].item, "E");
    EXPECT_EQ(project->connections[0].connector, "Inlet");
    EXPECT_EQ(project->connections[1].item, "");
    EXPECT_EQ(project->connections[1].direction, 1);
    EXPECT_EQ(project->objects.size(), 2u);
}

TEST(ReadErrors, FilesThatCannotBeRead)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string missing = (folder / "tovex-no-such-project.json").string();
    try {
        qxhost::read_project_file(missing);
        FAIL() << "a missing file was read";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()), missing + ": cannot read: No such file or directory");
    }
    try {
        qxhost::read_project_file(folder.string());
        FAIL() << "a folder was read as a file";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(folder.string() + ": cannot read: ", 0), 0u) << error.what();
    }
}

TEST(ReadErrors, ErrorsInAFileNameThePath)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tovex-bad-project-test.json";
    std::ofstream(path) << "{\"project\": 1}";
    try {
        qxhost::read_project_file(path.string());
        FAIL() << "an invalid project was read";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()), path.string() + ": at /project: expected an object, found number");
    }
    std::ofstream(path) << "{\n  \"project\": tru\n}";
    try {
        qxhost::read_project_file(path.string());
        FAIL() << "a file with a syntax error was read";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(path.string() + ":2:17: syntax error", 0), 0u) << error.what();
    }
    // Placed past the file's first pieces, where two-byte characters
    // straddle their ends.
    std::string long_name;
    for (int i = 0; i < 70000; ++i) long_name += "\xC3\xA9";
    std::ofstream(path) << "{\"project\": {\"name\": \"" << long_name << "\",\n  \"instance\": tru\n}}";
    try {
        qxhost::read_project_file(path.string());
        FAIL() << "a file with a syntax error was read";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(path.string() + ":2:18: syntax error", 0), 0u) << error.what();
    }
    std::filesystem::remove(path);
}

// A file is read in pieces of 64 KiB; neither the place of a fault nor the
// text shown around it may depend on where a piece ends.
TEST(ReadErrors, AFileGivesTheMessageOfItsTextWherePiecesEnd)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tovex-pieces-project-test.json";
    for (std::size_t fault = 65516; fault < 65560; fault += 5) {
        // Two-byte characters before the fault, so that pieces end inside them too.
        std::string text = fault % 2 == 0 ? "[\"" : "[\"a";
        while (text.size() + 2 < fault) text += "\xC3\xA9";
        text += "\" " + std::string(30, 'x') + "]";
        std::ofstream(path, std::ios::binary) << text;
        try {
            qxhost::read_project_file(path.string());
            FAIL() << "a file with a syntax error was read";
        } catch (const qxhost::ProjectFileError& error) {
            const std::string in_memory = error_of(text);
            EXPECT_EQ(std::string(error.what()), path.string() + in_memory.substr(in_memory.find(':')));
        }
    }
    std::filesystem::remove(path);
}

// A file's texts are checked for UTF-8 as they are copied, a memory text's by
// the parser: each sequence, good or bad, at the start of a text and across
// the end of a piece, gives the same message both ways.
TEST(ReadErrors, AFileChecksItsTextsAsMemoryDoes)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tovex-utf8-project-test.json";
    const std::vector<std::string> sequences = {
        "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9D\x84\x9E", "\x80", "\xC0\x80", "\xC3", "\xC3(", "\xE0\x80\x80",
        "\xED\xA0\x80", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80", "\xF5\x80", "\xFF", "\xE2\x82", "\xFF\\q",
    };
    for (const std::string& sequence : sequences) {
        for (const std::size_t at : {std::size_t{2}, std::size_t{65534}, std::size_t{65535}, std::size_t{65537}}) {
            const std::string text = "[\"" + std::string(at - 2, 'a') + sequence + "\", \"z\"]";
            std::ofstream(path, std::ios::binary) << text;
            std::string from_file = "(no error)";
            try {
                qxhost::read_project_file(path.string());
            } catch (const qxhost::ProjectFileError& error) {
                from_file = error.what();
            }
            const std::string in_memory = error_of(text);
            EXPECT_EQ(from_file, path.string() + in_memory.substr(in_memory.find(':'))) << at;
        }
    }
    std::filesystem::remove(path);
}

}  // namespace
