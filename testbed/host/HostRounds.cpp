// A host that ends its integrated console the hard ways, round after round,
// in a process of its own. It loads the installed module by name.
//
// usage: hostrounds <blocked|unload|race> <rounds> [first block ms]
//   blocked: a worker destroys the instance while this thread (the console's)
//            takes no messages for a while, the first round for `first
//            block ms` (default 11000), the others for 1000 ms; then it
//            takes messages again.
//   unload:  a worker destroys the instance and at once unloads the module;
//            this thread goes on taking messages for three seconds.
//   race:    this thread opens the console while a worker destroys the
//            instance, from a little before the open to well after it.
// Every round must end with no dialog window of this process left, the
// integrated console mutex free and the module's hold on itself gone, and
// then a new instance's console must open (and is destroyed again).
// Exit code: 0 when every round did; 1 with a line on the first that did
// not; a crash ends the process with its fault.
#include "driving/HangLimit.h"
#include "driving/Pump.h"
#include "driving/WindowSearch.h"
#include "host/HostInterface.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace testbed;
constexpr const char* kModule = "Ostrivan.dll";
constexpr const char* kCamera = "XC0730 Web Camera";
constexpr const char* kIntegratedMutex = "XC0730 Integrated Console Mutex";
using driving::kHangLimitMs;

struct Module {
    HMODULE handle = nullptr;
    EntryPoint entry = nullptr;

    bool Load() {
        handle = ::LoadLibraryA(kModule);
        entry = handle ? reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(handle, "ksCVWEntryPoint")))
                       : nullptr;
        return entry != nullptr;
    }
    void* Create() const {
        CreateInstanceBlock block{};
        std::strncpy(block.argument, kCamera, sizeof(block.argument) - 1);
        return entry(nullptr, kCreateInstance, &block) == 0 ? block.instance : nullptr;
    }
    uint32_t Open(void* instance, HWND* window) const {
        OpenConsoleBlock block{0, sizeof(OpenConsoleBlock), nullptr};
        uint32_t status = entry(instance, kOpenIntegratedConsole, &block);
        *window = block.window;
        return status;
    }
    uint32_t Destroy(void* instance) const {
        uint32_t block[1] = {0};
        return entry(instance, kDestroyInstance, block);
    }
};

bool Fail(int round, const std::string& what) {
    std::printf("round %d: %s\n", round, what.c_str());
    std::fflush(stdout);
    return false;
}

// Takes this thread's messages for that long.
void TakeMessagesFor(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// Dialog windows of this process, shown or not.
int DialogWindows() {
    return static_cast<int>(
        driving::AnyWindow().OfProcess(::GetCurrentProcessId()).OfClass("#32770").EvenHidden().FindAll().size());
}

bool MutexFree() {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kIntegratedMutex);
    if (!mutex) return true;
    ::CloseHandle(mutex);
    return false;
}

bool Settled() { return DialogWindows() == 0 && MutexFree(); }

// What a round ends with: nothing left, and a new console opens. The
// round's own load of the module goes first, unless the worker unloaded it.
bool EndOfRound(int round, HMODULE roundLoad) {
    bool settled = driving::PumpUntil(Settled);
    if (roundLoad) ::FreeLibrary(roundLoad);
    if (!settled) {
        return Fail(round, std::to_string(DialogWindows()) + " console windows left, mutex " +
                               (MutexFree() ? "free" : "still held"));
    }
    Module module;
    if (!module.Load()) return Fail(round, "the module does not load again");
    void* instance = module.Create();
    HWND window = nullptr;
    bool ok = instance && module.Open(instance, &window) == 0 && ::IsWindow(window);
    if (instance) module.Destroy(instance);
    ::FreeLibrary(module.handle);
    if (!ok) return Fail(round, "a new instance's console did not open");
    if (!driving::PumpUntil(Settled)) return Fail(round, "the new console did not go");
    // The module's own hold on itself goes once nothing of a console is left.
    if (!driving::PumpUntil([] { return ::GetModuleHandleA(kModule) == nullptr; })) {
        return Fail(round, "the module stays loaded");
    }
    return true;
}

struct Worker {
    const Module* module;
    void* instance;
    DWORD delayMs;
    bool unload;
    HANDLE start;
    uint32_t status;
};

DWORD WINAPI WorkerMain(void* parameter) {
    auto* work = static_cast<Worker*>(parameter);
    if (work->start) ::WaitForSingleObject(work->start, INFINITE);
    if (work->delayMs) ::Sleep(work->delayMs);
    work->status = work->module->Destroy(work->instance);
    if (work->unload) ::FreeLibrary(work->module->handle);
    return 0;
}

HANDLE StartWorker(Worker* work) { return ::CreateThread(nullptr, 0, WorkerMain, work, 0, nullptr); }

bool Join(HANDLE thread) {
    bool ended = ::WaitForSingleObject(thread, kHangLimitMs) == WAIT_OBJECT_0;
    ::CloseHandle(thread);
    return ended;
}

bool OpenOne(int round, Module& module, void** instance) {
    if (!module.Load()) return Fail(round, "the module does not load");
    *instance = module.Create();
    HWND window = nullptr;
    if (!*instance || module.Open(*instance, &window) != 0 || !::IsWindow(window)) {
        return Fail(round, "no console to begin with");
    }
    TakeMessagesFor(200);  // shown and refreshed once, as a user sees it
    return true;
}

bool Blocked(int round, DWORD blockMs) {
    Module module;
    void* instance = nullptr;
    if (!OpenOne(round, module, &instance)) return false;
    Worker work{&module, instance, 0, false, nullptr, 1};
    HANDLE worker = StartWorker(&work);
    if (!worker) return Fail(round, "no worker");
    // This thread, the console's, takes no messages meanwhile.
    ::Sleep(blockMs);
    if (!Join(worker)) return Fail(round, "DestroyInstance never returned");
    if (work.status != 0) return Fail(round, "DestroyInstance answered " + std::to_string(work.status));
    return EndOfRound(round, module.handle);
}

bool Unload(int round) {
    Module module;
    void* instance = nullptr;
    if (!OpenOne(round, module, &instance)) return false;
    Worker work{&module, instance, 0, true, nullptr, 1};
    HANDLE worker = StartWorker(&work);
    if (!worker) return Fail(round, "no worker");
    TakeMessagesFor(3000);
    if (!Join(worker)) return Fail(round, "DestroyInstance never returned");
    if (work.status != 0) return Fail(round, "DestroyInstance answered " + std::to_string(work.status));
    return EndOfRound(round, nullptr);
}

bool Race(int round) {
    static const DWORD kDelaysMs[] = {0, 1, 2, 5, 10, 20, 40, 80, 160, 320};
    Module module;
    if (!module.Load()) return Fail(round, "the module does not load");
    void* instance = module.Create();
    if (!instance) return Fail(round, "no instance");
    HANDLE start = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Worker work{&module, instance, kDelaysMs[round % (sizeof(kDelaysMs) / sizeof(kDelaysMs[0]))], false, start, 1};
    HANDLE worker = StartWorker(&work);
    if (!worker) return Fail(round, "no worker");
    ::SetEvent(start);
    HWND window = nullptr;
    uint32_t opened = module.Open(instance, &window);
    bool joined = Join(worker);
    ::CloseHandle(start);
    if (!joined) return Fail(round, "DestroyInstance never returned");
    if (work.status != 0) return Fail(round, "DestroyInstance answered " + std::to_string(work.status));
    // Refused when the destroy came first; else a window or none.
    if (opened != 0 && opened != 0x6403) return Fail(round, "the open answered " + std::to_string(opened));
    std::printf("round %d: destroy %lu ms after the open began; open answered %u, window %s\n", round,
                static_cast<unsigned long>(work.delayMs), opened, window ? "given" : "none");
    return EndOfRound(round, module.handle);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: hostrounds <blocked|unload|race> <rounds> [first block ms]\n");
        return 2;
    }
    const std::string scenario = argv[1];
    const int rounds = std::atoi(argv[2]);
    const DWORD firstBlockMs = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 11000;
    for (int round = 0; round < rounds; ++round) {
        bool ok = false;
        if (scenario == "blocked") ok = Blocked(round, round == 0 ? firstBlockMs : 1000);
        else if (scenario == "unload") ok = Unload(round);
        else if (scenario == "race") ok = Race(round);
        else return 2;
        if (!ok) return 1;
        std::printf("round %d: ended cleanly\n", round);
        std::fflush(stdout);
    }
    return 0;
}
