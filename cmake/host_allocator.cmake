# The allocator of the reference host's programs (the command and the
# benchmark). The host's project model and the module make millions of small
# allocations on a large plant; with glibc's allocator they took about a
# third of a full run, with jemalloc much less. The module and the host
# libraries do not link it: whatever program loads them chooses its own.
#
# A sanitized build keeps the sanitizers' allocator, which must see every
# allocation.
if(TOVEX_USE_JEMALLOC AND NOT TOVEX_SANITIZE)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(JEMALLOC REQUIRED IMPORTED_TARGET jemalloc)
endif()

# Links `target` with the host allocator, when there is one. --no-as-needed
# keeps the library although the program names none of its symbols: it
# takes malloc's place only by being loaded ahead of the C library. Its
# options are in host_allocator_options.cpp.
function(tovex_use_host_allocator target)
    if(TARGET PkgConfig::JEMALLOC)
        target_link_libraries(${target} PRIVATE -Wl,--no-as-needed PkgConfig::JEMALLOC -Wl,--as-needed)
        # jemalloc finds its options in the program's dynamic symbols only.
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/host_allocator_options.cpp)
        target_link_options(${target} PRIVATE -Wl,--export-dynamic-symbol=malloc_conf)
    endif()
endfunction()
