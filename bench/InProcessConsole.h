// The standalone console's entry point run on a thread of this process, as
// rundll32 runs it, so that the process's objects can be counted from
// inside, on the console's own thread between two of its messages.
// Open reports success as a bool and says on stderr what failed; the
// console is closed with its close button when the object goes.
#pragma once

#include "base/UniqueHandle.h"
#include "probe/ProcessObjects.h"

#include <windows.h>

namespace bench {

struct HookTraits {
    using Type = HHOOK;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type hook) noexcept { ::UnhookWindowsHookEx(hook); }
};
using UniqueHook = ostrivan::UniqueOwner<HookTraits>;

class InProcessConsole {
public:
    InProcessConsole() = default;
    ~InProcessConsole() { Close(); }
    InProcessConsole(const InProcessConsole&) = delete;
    InProcessConsole& operator=(const InProcessConsole&) = delete;

    // Until its view panel has read the camera.
    [[nodiscard]] bool Open();
    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }
    // The process's objects, counted on the console's thread.
    testbed::ProcessObjects Count() const;
    // One view panel refresh, as another copy of the console asks for it:
    // its named change event signalled, then waited for until the console's
    // thread has taken a reading of a panel off its queue (a refresh tick
    // that finds the panel's worker busy is skipped, so the next request
    // must come after that).
    [[nodiscard]] bool Refresh() const;
    // With its close button, as the user closes it; waits for its thread.
    void Close();

private:
    using EntryPoint = void(CALLBACK*)(HWND, HINSTANCE, LPSTR, int);
    static DWORD WINAPI Run(void* console);

    ostrivan::UniqueModule module_;
    EntryPoint entry_ = nullptr;
    ostrivan::UniqueHandle thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    UniqueHook countHook_;
    UniqueHook readingHook_;
    ostrivan::UniqueHandle panelEvent_;
};

}  // namespace bench
