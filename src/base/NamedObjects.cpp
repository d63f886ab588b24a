#include "base/NamedObjects.h"

namespace ostrivan {

namespace {
void Report(bool* alreadyExisted, bool value) {
    if (alreadyExisted) *alreadyExisted = value;
}
}  // namespace

UniqueHandle CreateNamedEvent(const char* name, bool* alreadyExisted) {
    Report(alreadyExisted, false);
    UniqueHandle event(::CreateEventA(nullptr, FALSE, FALSE, name));
    if (event) Report(alreadyExisted, ::GetLastError() == ERROR_ALREADY_EXISTS);
    return event;
}

UniqueHandle CreateNamedMutex(const char* name, bool initiallyOwned, bool* alreadyExisted) {
    Report(alreadyExisted, false);
    UniqueHandle mutex(::CreateMutexA(nullptr, initiallyOwned ? TRUE : FALSE, name));
    if (mutex) Report(alreadyExisted, ::GetLastError() == ERROR_ALREADY_EXISTS);
    return mutex;
}

bool SignalNamedEvent(const char* name) {
    bool existed = false;
    UniqueHandle event = CreateNamedEvent(name, &existed);
    if (event && existed) {
        ::SetEvent(event.get());
        return true;
    }
    return false;
}

}  // namespace ostrivan
