// What the host's own code and its tests use of the workspace: the loaded
// project and the fault injection of slot writes.
#ifndef QXHOST_OBJSTORE_WORKSPACE_H
#define QXHOST_OBJSTORE_WORKSPACE_H

#include "host/workspace.h"
#include "objstore/fault_injection.h"

#endif
