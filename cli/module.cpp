#include "module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "command_error.h"

namespace tovex_cli {

namespace {

constexpr const char* module_file_name = "libtovex.so.0";

}  // namespace

std::string default_module_path()
{
    std::error_code error;
    const std::filesystem::path command = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path prefix = command.parent_path().parent_path();
        // The build tree and most installs use lib; an install may name its
        // library folder otherwise (lib64, lib/<triplet>).
        for (const char* folder : {"lib", TOVEX_INSTALL_LIBDIR}) {
            const std::filesystem::path candidate = prefix / folder / module_file_name;
            if (std::filesystem::exists(candidate, error)) return candidate.string();
        }
    }
    return module_file_name;
}

Module::Module(const std::string& path) : path_(path), handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
{
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw CommandError(exit_bad_input,
                           "cannot load the module " + path + (reason ? std::string(": ") + reason : std::string()));
    }
}

Module::~Module()
{
    // Under the sanitizers the module stays loaded, so that leak reports can
    // still name its functions.
#ifndef TOVEX_KEEP_MODULE_LOADED
    dlclose(handle_);
#endif
}

void* Module::symbol(const char* name) const
{
    dlerror();
    void* address = dlsym(handle_, name);
    if (address == nullptr) {
        throw CommandError(exit_bad_input, "the module " + path_ + " has no entry point " + name);
    }
    return address;
}

}  // namespace tovex_cli
