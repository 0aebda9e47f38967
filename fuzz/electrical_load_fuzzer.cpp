// Arbitrary bytes as the electrical load file KVT_ELEC.TMP, read by the full
// run of the example plant, whose electricity is priced.
#include "fuzz_support.h"
#include "projfile/projfile.h"

namespace {

std::string project_text;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    project_text = tovex_fuzz::file_text(TOVEX_SOURCE_DIR "/examples/ethylene-plant.json");
    tovex_fuzz::enter_scratch_folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto project = qxhost::parse_project(project_text, "ethylene-plant.json");
    // A project's own load file text is written as it stands, byte for byte.
    project->electrical_load_file = std::string(tovex_fuzz::bytes_text(data, size));
    tovex_fuzz::run_in_full(std::move(project));
    return 0;
}
