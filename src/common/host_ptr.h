// Ownership of what the host hands out by pointer.
//
// Objects, lists and entries that the host returns belong to the module; each
// is held by a host_ptr from the moment it arrives, so every path releases it
// through its virtual (deleting) destructor.
#ifndef TOVEX_COMMON_HOST_PTR_H
#define TOVEX_COMMON_HOST_PTR_H

#include <memory>

namespace tovex {

struct host_delete {
    template <class T>
    void operator()(T* object) const noexcept
    {
        delete object;
    }
};

template <class T>
using host_ptr = std::unique_ptr<T, host_delete>;

template <class T>
host_ptr<T> adopt(T* object) noexcept
{
    return host_ptr<T>(object);
}

}  // namespace tovex

#endif
