#include "base/ModuleHold.h"

#include <memory>
#include <new>

namespace ostrivan {

namespace {

struct ModuleThreadStart {
    ThreadMain main;
    void* argument;
    HMODULE module;
};

DWORD WINAPI ModuleThreadMain(void* parameter) {
    std::unique_ptr<ModuleThreadStart> start(static_cast<ModuleThreadStart*>(parameter));
    const DWORD code = start->main(start->argument);
    HMODULE module = start->module;
    start.reset();
    // Nothing of the module runs after this call, which does not return.
    ::FreeLibraryAndExitThread(module, code);
}

}  // namespace

UniqueModule HoldModule() {
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<const char*>(&HoldModule),
                              &module)) {
        return UniqueModule();
    }
    return UniqueModule(module);
}

UniqueHandle StartModuleThread(ThreadMain main, void* argument) {
    UniqueModule module = HoldModule();
    if (!module) return UniqueHandle();
    std::unique_ptr<ModuleThreadStart> start(new (std::nothrow) ModuleThreadStart{main, argument, module.get()});
    if (!start) return UniqueHandle();
    // The platform's own thread: it ends through the platform's exit, which
    // the runtime library's thread-end call would never reach.
    UniqueHandle thread(::CreateThread(nullptr, 0, ModuleThreadMain, start.get(), 0, nullptr));
    if (!thread) return UniqueHandle();
    // The thread owns both from here.
    (void)start.release();
    (void)module.release();
    return thread;
}

}  // namespace ostrivan
