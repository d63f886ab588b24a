// Runs the parental entry point with a prompt that stays open until told to
// close.  usage: parental_holder <ready-event> <release-event>
#include "driving/HangLimit.h"
#include "entry/EntryPoints.h"
#include "entry/WindowSeams.h"

#include <windows.h>

namespace {
HANDLE g_ready = nullptr;
HANDLE g_release = nullptr;
bool g_shown = false;

void HoldPrompt(ostrivan::LaunchContext*) {
    g_shown = true;
    ::SetEvent(g_ready);
    ::WaitForSingleObject(g_release, driving::kHangLimitMs);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    g_ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    g_release = ::OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!g_ready || !g_release) return 3;
    ostrivan::ConsoleWindows().runPasswordPrompt = HoldPrompt;
    char line[] = "/prompt XC0730 Web Camera";
    ksCVWParentalRunDLL32EP(nullptr, nullptr, line, SW_SHOWNORMAL);
    return g_shown ? 0 : 1;
}
