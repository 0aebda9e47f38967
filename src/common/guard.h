// The exported boundary: no exception leaves an entry point.
#ifndef TOVEX_COMMON_GUARD_H
#define TOVEX_COMMON_GUARD_H

#include <cstdint>
#include <utility>

namespace tovex {

// Runs `body`; an exception of any kind becomes `failure`.
template <class Body>
std::int32_t guarded(std::int32_t failure, Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

}  // namespace tovex

#endif
