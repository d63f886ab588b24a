#include "vcam/LiveObjects.h"

namespace vcam {

namespace {
LONG g_objects = 0;
LONG g_locks = 0;
}  // namespace

void ObjectCreated() { ::InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { ::InterlockedDecrement(&g_objects); }
LONG LiveObjects() { return ::InterlockedCompareExchange(&g_objects, 0, 0); }
void LockServer(bool lock) { lock ? ::InterlockedIncrement(&g_locks) : ::InterlockedDecrement(&g_locks); }
LONG ServerLocks() { return ::InterlockedCompareExchange(&g_locks, 0, 0); }

}  // namespace vcam
