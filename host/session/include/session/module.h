// The module, loaded at run time from its shared library; its entry points
// are found by their plain names.
#ifndef QXHOST_SESSION_MODULE_H
#define QXHOST_SESSION_MODULE_H

#include <stdexcept>
#include <string>

#include "tovex/tovex.h"

namespace qxhost::session {

using RunEntry = decltype(&tovex_get_utility_init);
using PassEntry = decltype(&tovex_get_utility_for_class);
using RecordingPassEntry = decltype(&tovex_get_utility_for_class_and_equip_info);

// A module that cannot be loaded or lacks an entry point, a folder that
// cannot be entered: the run cannot be made. The message names what.
class SessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Module {
public:
    // Loads the library at `path`; throws SessionError naming it when it
    // cannot be loaded. With `keep_loaded` it is never unloaded, so that
    // the sanitizers' reports can still name its functions.
    explicit Module(const std::string& path, bool keep_loaded = false);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // The entry point `name`; throws SessionError when the module does not
    // export it.
    template <class Entry>
    Entry entry(const char* name) const
    {
        return reinterpret_cast<Entry>(symbol(name));
    }

private:
    void* symbol(const char* name) const;

    std::string path_;
    void* handle_;
    bool keep_loaded_;
};

}  // namespace qxhost::session

#endif
