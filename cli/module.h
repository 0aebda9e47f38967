// The module, loaded at run time; its entry points are found by their plain
// names.
#ifndef TOVEX_CLI_MODULE_H
#define TOVEX_CLI_MODULE_H

#include <string>

#include "tovex/tovex.h"

namespace tovex_cli {

using RunEntry = decltype(&tovex_get_utility_init);
using PassEntry = decltype(&tovex_get_utility_for_class);
using RecordingPassEntry = decltype(&tovex_get_utility_for_class_and_equip_info);

// The module the command loads when --module is not given: lib/libtovex.so.0
// beside the folder that holds the command, else the plain name for the
// loader's search path.
std::string default_module_path();

class Module {
public:
    // Loads the library; throws CommandError (exit status 2) naming it when it
    // cannot be loaded.
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // The entry point `name`; throws CommandError (exit status 2) when the
    // module does not export it.
    template <class Entry>
    Entry entry(const char* name) const
    {
        return reinterpret_cast<Entry>(symbol(name));
    }

private:
    void* symbol(const char* name) const;

    std::string path_;
    void* handle_;
};

}  // namespace tovex_cli

#endif
