#include "driving/Press.h"

#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"

namespace driving {

bool Press(HWND button) { return button && ::PostMessageA(button, BM_CLICK, 0, 0); }

bool PressAndWaitGone(HWND window, int controlId, DWORD ms) {
    if (!Press(AnyWindow().Within(window).WithId(controlId).Enabled().Find())) return false;
    return WaitUntilGone(window, ms);
}

}  // namespace driving
