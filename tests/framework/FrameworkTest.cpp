#include "FrameworkTest.h"

#include "driving/WindowSearch.h"

namespace frameworktest {

int CountThreadWindows() {
    size_t count = 0;
    for (HWND window : driving::AnyWindow().OfThread(::GetCurrentThreadId()).EvenHidden().FindAll()) {
        count += 1 + driving::AnyWindow().Within(window).EvenHidden().FindAll().size();
    }
    return static_cast<int>(count);
}

}  // namespace frameworktest
