// Fault injection for tests: failing the Nth slot write, so that tests can
// reach the failure paths of the writers.
#ifndef QXHOST_FAULT_INJECTION_H
#define QXHOST_FAULT_INJECTION_H

#include "host/visibility.h"

namespace qxhost {

// The Nth slot write from now on fails (1 the next one); 0 turns it off.
QXHOST_API void fail_slot_write_at(long n);
// True while an armed failure has not been met yet.
QXHOST_API bool slot_write_failure_pending();
// Called by every slot write; true when this write is to fail.
QXHOST_API bool slot_write_should_fail();

}  // namespace qxhost

#endif
