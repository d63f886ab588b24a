// What CreateInstance allocates: the host's instance record, first, and what
// the module keeps beside it about the instance's integrated console.
//
// A host may call in from any thread. The instance's console lives on the
// thread that opened it; any other thread only marks what it wants done
// there (InstanceLock() guards the marks), and the console's thread carries
// it out (HostConsole).
#pragma once

#include "base/UniqueHandle.h"
#include "launch/LaunchContext.h"

#include <windows.h>

#include <memory>
#include <new>

namespace ostrivan {

class HostConsole;

struct HostInstanceBlock {
    HostInstanceBlock();
    ~HostInstanceBlock();
    HostInstanceBlock(const HostInstanceBlock&) = delete;
    HostInstanceBlock& operator=(const HostInstanceBlock&) = delete;

    HostInstance instance;  // the host's handle points here
    // Guarded by InstanceLock():
    // the console that is open, being opened, or waiting to go;
    std::unique_ptr<HostConsole> console;
    // DestroyInstance came; the magic is cleared already.
    bool destroyRequested = false;
};

// The one lock of every instance's marks. Never held while windows are made,
// destroyed or sent to.
SRWLOCK& InstanceLock();

// The block on the process heap, zero-filled. Its magic is cleared before the
// block is freed, so a stale handle handed in later is refused.
struct HostInstanceTraits {
    using Type = HostInstanceBlock*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type block) noexcept {
        block->instance.magic = 0;
        block->~HostInstanceBlock();
        ::HeapFree(::GetProcessHeap(), 0, block);
    }
};
using UniqueHostInstance = UniqueOwner<HostInstanceTraits>;

// A new block; empty when out of memory.
UniqueHostInstance NewHostInstance();

inline HostInstanceBlock* BlockOf(HostInstance* instance) { return reinterpret_cast<HostInstanceBlock*>(instance); }
inline HostInstanceBlock* BlockOf(LaunchContext* context) {
    return BlockOf(reinterpret_cast<HostInstance*>(reinterpret_cast<char*>(context) - offsetof(HostInstance, context)));
}

// Where teardown is carried out from. Inside an entry point's call the host
// holds the module, so everything can go at once; from the console's request
// window, the module's last references leave only once the thread has
// returned to the host's loop.
enum class CalledFrom { EntryPoint, RequestWindow };

// What ServicePending did.
enum class Serviced { Nothing, Deferred, ConsoleEnded, InstanceEnded };

// On the console's thread (or any thread when the instance has no console):
// carries out what is marked, a destroy or the end of a console whose
// window was closed, now when nothing of the console is on the stack, else
// later from its request window's timer. After InstanceEnded the block is
// gone.
Serviced ServicePending(HostInstanceBlock* block, CalledFrom from);

}  // namespace ostrivan
