#include "setup/StandaloneConsoleClose.h"

#include "base/NamedObjects.h"
#include "base/UniqueHandle.h"
#include "framework/Dialog.h"
#include "launch/KernelObjectNames.h"
#include "skin/ResourceLibrary.h"

#include "ResourceIds.h"

namespace ostrivan {

namespace {

// Long enough for the console to save its rectangle and end; a console that
// hangs does not hold the removal for good.
constexpr DWORD kConsoleEndLimitMs = 10000;

// The process of the standalone console's window (its title is the console's
// title), opened for waiting; empty when none is found.
UniqueHandle ConsoleProcess() {
    UniqueModule resources(::LoadLibraryA(ResourceLibrary::kFileName));
    char title[MAX_PATH] = {};
    if (!resources || ::LoadStringA(resources.get(), IDS_CONSOLE_TITLE, title, MAX_PATH) <= 0) return UniqueHandle();
    HWND window = ::FindWindowA(Dialog::kSystemClassName, title);
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId) || processId == ::GetCurrentProcessId()) {
        return UniqueHandle();
    }
    return UniqueHandle(::OpenProcess(SYNCHRONIZE, FALSE, processId));
}

}  // namespace

void CloseStandaloneConsole() {
    UniqueHandle process = ConsoleProcess();
    // The console saves its rectangle while it closes; removing the settings
    // before that would leave them behind.
    if (SignalNamedEvent(kQuitEventName) && process) ::WaitForSingleObject(process.get(), kConsoleEndLimitMs);
}

}  // namespace ostrivan
