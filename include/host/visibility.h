// Symbol export for the host libraries.
#ifndef HOST_VISIBILITY_H
#define HOST_VISIBILITY_H

#if defined(_WIN32)
#define QXHOST_API __declspec(dllexport)
#else
#define QXHOST_API __attribute__((visibility("default")))
#endif

#endif
