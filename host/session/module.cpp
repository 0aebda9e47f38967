#include "session/module.h"

#include <dlfcn.h>

namespace qxhost::session {

Module::Module(const std::string& path, bool keep_loaded)
    : path_(path), handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)), keep_loaded_(keep_loaded)
{
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw SessionError("cannot load the module " + path + (reason ? std::string(": ") + reason : std::string()));
    }
}

Module::~Module()
{
    if (!keep_loaded_) dlclose(handle_);
}

void* Module::symbol(const char* name) const
{
    dlerror();
    void* address = dlsym(handle_, name);
    if (address == nullptr) throw SessionError("the module " + path_ + " has no entry point " + name);
    return address;
}

}  // namespace qxhost::session
