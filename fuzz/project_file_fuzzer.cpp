// Arbitrary bytes as a project file: either refused with a message, as the
// command refuses it with exit status 2, or a project that runs in full.
#include <cstdlib>

#include "fuzz_support.h"
#include "projfile/projfile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tovex_fuzz::enter_scratch_folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<qxhost::Project> project;
    try {
        project = qxhost::parse_project(tovex_fuzz::bytes_text(data, size), "fuzz.json");
    } catch (const qxhost::ProjectFileError& error) {
        // The message names the file first, as every reader message does.
        if (std::string_view(error.what()).rfind("fuzz.json:", 0) != 0) std::abort();
        return 0;
    }
    tovex_fuzz::run_in_full(std::move(project));
    return 0;
}
