// What the fuzz targets share: a scratch working folder for the whole
// process, and a project run in full as the command runs it.
#ifndef TOVEX_FUZZ_SUPPORT_H
#define TOVEX_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/project.h"

namespace tovex_fuzz {

// Makes a fresh folder under the temporary folder the working directory
// until the process ends, when it is removed. Called once, first.
void enter_scratch_folder();

// The bytes as a string.
inline std::string_view bytes_text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Reads a file whole; throws std::runtime_error when it cannot.
std::string file_text(const std::string& path);
void write_file(const std::string& path, std::string_view text);

// Removes every file of the working folder, so that nothing an earlier input
// left (reports, a load file, a store's journal) changes what this one does.
void clear_folder();

// Loads `project` into the workspace, writes the electrical load file it asks
// for, runs the full run in the working folder and unloads the project.
// The state it leaves must read back as a project file. Returns the entry
// point's result.
int run_in_full(std::unique_ptr<qxhost::Project> project);

}  // namespace tovex_fuzz

#endif
