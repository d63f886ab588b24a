// Counts of the server's live COM objects and server locks in this process,
// so that tests can see every reference handed out was released.
#pragma once

#include <windows.h>

namespace vcam {

void ObjectCreated();
void ObjectDestroyed();
LONG LiveObjects();
void LockServer(bool lock);
LONG ServerLocks();

// Base of every COM object of the server: counts itself while alive.
class Counted {
public:
    Counted() { ObjectCreated(); }
    ~Counted() { ObjectDestroyed(); }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
};

}  // namespace vcam
