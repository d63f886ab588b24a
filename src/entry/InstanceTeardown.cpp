// The end of a host's instance and of its console. A host may call
// DestroyInstance from any thread, also from code that the console calls on
// its own thread (inside the advanced dialog's loop, or while a window of the
// console handles a message): the instance is dead at once, but its console,
// resource library and record go only on the console's thread, and only
// when nothing of the console is on the stack any more.
#include "entry/HostInstanceBlock.h"

#include "base/ExclusiveLock.h"
#include "entry/HostConsole.h"
#include "framework/MessageLoop.h"
#include "skin/ResourceLibrary.h"

#include <utility>

namespace ostrivan {

namespace {

SRWLOCK g_instanceLock = SRWLOCK_INIT;

// Takes the console out of the record; what it held goes with it.
std::unique_ptr<HostConsole> TakeConsole(HostInstanceBlock* block) {
    ExclusiveLock lock(InstanceLock());
    LaunchContext& context = block->instance.context;
    context.consoleWindowObject = nullptr;
    context.consoleWindow = nullptr;
    return std::move(block->console);
}

void EndConsole(std::unique_ptr<HostConsole> console, CalledFrom from) {
    if (!console) return;
    console->EndConsole();
    console->Leave(from);
}

void FinishInstance(HostInstanceBlock* block, CalledFrom from) {
    UniqueHostInstance owned(block);
    EndConsole(TakeConsole(block), from);
    LaunchContext& context = block->instance.context;
    if (context.resourceLibrary) {
        FreeHeldResourceLibrary(UniqueModule(std::exchange(context.resourceLibrary, nullptr)));
    }
    if (context.integratedMutex) {
        UniqueHandle mutex(std::exchange(context.integratedMutex, nullptr));
        HeldMutex held(mutex.get());  // released before the handle is closed
    }
}

}  // namespace

SRWLOCK& InstanceLock() { return g_instanceLock; }

HostInstanceBlock::HostInstanceBlock() : instance{} {}
HostInstanceBlock::~HostInstanceBlock() = default;

UniqueHostInstance NewHostInstance() {
    void* memory = ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HostInstanceBlock));
    return UniqueHostInstance(memory ? new (memory) HostInstanceBlock : nullptr);
}

Serviced ServicePending(HostInstanceBlock* block, CalledFrom from) {
    bool destroy = false;
    bool gone = false;
    bool busy = false;
    HostConsole* console = nullptr;
    {
        ExclusiveLock lock(InstanceLock());
        destroy = block->destroyRequested;
        console = block->console.get();
        // A console is carried out on its own thread only.
        if (console && console->thread() != ::GetCurrentThreadId()) return Serviced::Nothing;
        gone = console && console->windowGone();
        busy = console && console->opening();
    }
    if (!destroy && !gone) return Serviced::Nothing;
    // Only this thread deletes the console, so it stays while unlocked.
    if (console && (busy || MessageLoop::FrameworkOnStack())) {
        console->Defer();
        return Serviced::Deferred;
    }
    if (destroy) {
        FinishInstance(block, from);
        return Serviced::InstanceEnded;
    }
    std::unique_ptr<HostConsole> ended;
    {
        ExclusiveLock lock(InstanceLock());
        // A destroy that came meanwhile saw the console and only posted to
        // it: it is carried out here.
        if (block->destroyRequested) destroy = true;
        else ended = std::move(block->console);
        block->instance.context.consoleWindowObject = nullptr;
    }
    if (destroy) {
        FinishInstance(block, from);
        return Serviced::InstanceEnded;
    }
    EndConsole(std::move(ended), from);
    return Serviced::ConsoleEnded;
}

}  // namespace ostrivan
