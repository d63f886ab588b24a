#include "MemoryRound.h"

#include "ResourceIds.h"
#include "driving/Press.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"

#include <cstdio>

namespace bench {

namespace {

bool Fail(const char* what) {
    std::fprintf(stderr, "memory round: %s\n", what);
    return false;
}

HWND OpenDialog(DWORD threadId, HWND from, int buttonId, int dialogControlId) {
    if (!driving::Press(driving::AnyWindow().Within(from).WithId(buttonId).Enabled().Find())) return nullptr;
    return driving::WaitForWindow(driving::AnyWindow().OfThread(threadId).Holding(dialogControlId));
}

// Opens each dialog once and closes it again with Cancel.
bool OpenEachDialog(HWND window, DWORD threadId) {
    HWND advanced = OpenDialog(threadId, window, IDC_ADVANCED, IDC_ADVANCED_DEFAULT);
    if (!advanced || !driving::PressAndWaitGone(advanced, IDCANCEL)) return Fail("the advanced settings dialog");
    HWND options = OpenDialog(threadId, window, IDC_OPTIONS, IDC_LOCK_TOGGLE);
    if (!options) return Fail("the options dialog did not open");
    HWND prompt = OpenDialog(threadId, options, IDC_LOCK_TOGGLE, IDC_PROMPT_PASSWORD);
    if (!prompt || !driving::PressAndWaitGone(prompt, IDCANCEL)) return Fail("the password prompt");
    HWND change = OpenDialog(threadId, options, IDC_CHANGE_PASSWORD, IDC_NEW_PASSWORD);
    if (!change || !driving::PressAndWaitGone(change, IDCANCEL)) return Fail("the change-password dialog");
    if (!driving::PressAndWaitGone(options, IDCANCEL)) return Fail("the options dialog did not close");
    return true;
}

}  // namespace

bool MemoryRound(const std::function<bool()>& refresh, HWND window, DWORD threadId) {
    for (int i = 0; i < kRoundRefreshes; ++i) {
        if (!refresh()) return Fail("a refresh did not come");
    }
    for (int i = 0; i < kRoundOpenings; ++i) {
        if (!OpenEachDialog(window, threadId)) return false;
    }
    return true;
}

}  // namespace bench
