// Failing file operations for tests: linked into a test program, this file
// stands in front of the C library's opens, writes (syncs among them) and
// closes (the program's own definitions come first when symbols are looked
// up), counts them while armed, and makes the Nth of one kind fail as a full
// or failing disk would. Standard input, output and error are never counted.
#ifndef TOVEX_TESTS_FAILING_FILES_H
#define TOVEX_TESTS_FAILING_FILES_H

#include <functional>

namespace failing_files {

enum class Operation { open, write, close };

// A passing fault, or a lasting one (a full disk, a file system gone).
enum class Lasting { once, from_then_on };

// The Nth operation of `kind` from now on (1 the next one) fails, and with
// `from_then_on` every later one of that kind too. `at_fault` is called
// when the first fault is made, before the failing call does anything, on
// the failing call's thread; what it does there is not counted.
void fail_at(Operation kind, long n, Lasting lasting, std::function<void()> at_fault = {});
// Stops counting; returns whether the armed fault was made.
bool disarm();

}  // namespace failing_files

#endif
