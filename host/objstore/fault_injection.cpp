// Failing the Nth slot write, so that tests can reach the failure paths of
// the writers.
#include "objstore/fault_injection.h"

namespace qxhost {

namespace {

long writes_until_failure = 0;  // 0: no failure armed

}  // namespace

void fail_slot_write_at(long n) { writes_until_failure = n > 0 ? n : 0; }

bool slot_write_failure_pending() { return writes_until_failure != 0; }

bool slot_write_should_fail()
{
    if (writes_until_failure == 0) return false;
    return --writes_until_failure == 0;
}

}  // namespace qxhost
