// Arbitrary bytes as a project file: either refused with a message, as the
// command refuses it with exit status 2, or a project that runs in full. The
// bytes are read both from memory and from a file, which the reader takes
// in pieces; both readings must agree.
#include <cstdio>
#include <cstdlib>

#include "fuzz_support.h"
#include "projfile/projfile.h"

namespace {

constexpr const char* file_name = "fuzz.json";

// The project, or the message that refuses it.
struct Reading {
    std::unique_ptr<qxhost::Project> project;
    std::string message;
};

template <class Read>
Reading read_with(const Read& read)
{
    Reading reading;
    try {
        reading.project = read();
    } catch (const qxhost::ProjectFileError& error) {
        reading.message = error.what();
    }
    return reading;
}

[[noreturn]] void disagree(const std::string& from_memory, const std::string& from_file)
{
    std::fprintf(stderr, "from memory: %s\nfrom the file: %s\n", from_memory.c_str(), from_file.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tovex_fuzz::enter_scratch_folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = tovex_fuzz::bytes_text(data, size);
    tovex_fuzz::clear_folder();
    tovex_fuzz::write_file(file_name, text);
    Reading from_memory = read_with([&] { return qxhost::parse_project(text, file_name); });
    const Reading from_file = read_with([&] { return qxhost::read_project_file(file_name); });
    if (!from_memory.project || !from_file.project) {
        if (from_memory.message != from_file.message) disagree(from_memory.message, from_file.message);
        // Every message names the file first.
        if (from_memory.message.rfind(std::string(file_name) + ":", 0) != 0) std::abort();
        return 0;
    }
    const std::string memory_text = qxhost::write_project_json(*from_memory.project);
    const std::string file_text = qxhost::write_project_json(*from_file.project);
    if (memory_text != file_text) disagree(memory_text, file_text);
    tovex_fuzz::run_in_full(std::move(from_memory.project));
    return 0;
}
