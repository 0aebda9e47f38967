// The host allocator's options, read by jemalloc at its start from this
// symbol of the program.
//
// narenas:1 — one arena for every thread. The project file's reader builds
// its document in a thread of its own; with an arena per thread what it
// frees stays in that thread's arena, unused by the main thread and still
// resident, about a twentieth of a large plant's peak. The program's
// threads take turns rather than allocate at once, so sharing one arena
// costs no time that the benchmark can see.
// It must be seen from outside the program, against the build's hidden
// default, for the allocator to read it.
extern "C" {
__attribute__((visibility("default"))) extern const char* malloc_conf;
const char* malloc_conf = "narenas:1";
}
