// Runs the standalone console on a thread of this process, as a host may,
// closes it and lets the thread end, then ends itself. check-thread-exit.sh
// runs it with Wine's heap warnings on: the end of the thread must free
// nothing twice.
//
// With "held-worker", the console's device-change worker is inside a
// camera bind that the test bed holds when the console is closed: the
// console's thread still ends at once, and the host unloads the module
// right away. Once the bind is let go the worker finishes in the module,
// which it kept loaded, and the module goes when the worker has ended.
//
// Exit code 0 when all of that happened; 1 otherwise (a fault's code when
// the process faulted).
#include "base/UniqueHandle.h"
#include "devices/BindGate.h"
#include "devices/VirtualCameraStore.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"

#include <windows.h>

#include <dbt.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kTitle[] = "XC0730 Camera Console";
constexpr char kModule[] = "Ostrivan.dll";
constexpr int kCamera = 1;
using driving::kHangLimitMs;
// A console whose worker is held ends well before the held bind would let go.
constexpr DWORD kHeldCloseLimitMs = 10000;

using EntryPoint = void(CALLBACK*)(HWND, HINSTANCE, LPSTR, int);

EntryPoint g_entry = nullptr;

DWORD WINAPI RunConsole(void*) {
    char line[] = "";
    g_entry(nullptr, ::GetModuleHandleA(kModule), line, SW_SHOWNORMAL);
    return 0;
}

int Fail(const char* what) {
    std::fprintf(stderr, "thread_exit_probe: %s\n", what);
    return 1;
}

DWORD HeldBinds() { return testbed::ReadBindCounts(kCamera).nowInBackground; }

// The console's thread has shown its window: holds the camera's binds by
// threads without one, and has a worker bind it. False when no bind came.
bool HoldAWorker(HWND console) {
    testbed::VirtualCameraSpec camera;
    if (!testbed::ReadVirtualCamera(kCamera, &camera) ||
        !testbed::SetCameraBehaviour(kCamera, camera.behaviour | testbed::kHoldBackgroundBinds)) {
        return false;
    }
    ::PostMessageA(console, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    return driving::WaitUntil([] { return HeldBinds() > 0; }, kHangLimitMs);
}

}  // namespace

int main(int argc, char** argv) {
    const bool heldWorker = argc > 1 && std::strcmp(argv[1], "held-worker") == 0;
    testbed::BindGate gate(kCamera);
    if (heldWorker && !gate.valid()) return Fail("no bind gate");

    ostrivan::UniqueModule module(::LoadLibraryA(kModule));
    if (!module) return Fail("the module could not be loaded");
    g_entry = reinterpret_cast<EntryPoint>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), "ksCVWConsoleRunDLL32EP")));
    if (!g_entry) return Fail("the module has no console entry point");
    DWORD threadId = 0;
    ostrivan::UniqueHandle thread(::CreateThread(nullptr, 0, RunConsole, nullptr, 0, &threadId));
    if (!thread) return Fail("no thread for the console");
    HWND console = nullptr;
    // Reported below: no window, whether the thread ended without one or not.
    (void)driving::WaitUntil([&] {
        console = driving::AnyWindow().OfThread(threadId).Titled(kTitle).Find();
        return console || ::WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;  // or ended without one
    });
    const bool held = console && heldWorker && HoldAWorker(console);
    if (console) ::PostMessageA(console, WM_CLOSE, 0, 0);
    bool ended = ::WaitForSingleObject(thread.get(), heldWorker ? kHeldCloseLimitMs : kHangLimitMs) == WAIT_OBJECT_0;
    if (!console) return Fail("the console showed no window");
    if (heldWorker && !held) return Fail("no worker reached the camera");
    if (!ended) return Fail("the console's thread did not end");
    if (!heldWorker) {
        std::puts("thread_exit_probe: the console's thread ended");
        return 0;
    }

    // The host is done with the module; the held worker still runs in it.
    module.reset();
    if (!::GetModuleHandleA(kModule)) return Fail("the module went while its worker still ran");
    if (HeldBinds() == 0) return Fail("the bind was let go before the gate opened");
    gate.Open();
    if (!driving::WaitUntil([] { return HeldBinds() == 0 && !::GetModuleHandleA(kModule); }, kHangLimitMs)) {
        return Fail("the worker did not end, or the module stayed loaded after it");
    }
    std::puts("thread_exit_probe: the console's thread ended; its held worker ended later, and the module with it");
    return 0;
}
