// What CreateInstance allocates: the host's instance record, first, and what
// the module keeps beside it about the instance's integrated console.
#pragma once

#include "base/UniqueHandle.h"
#include "launch/LaunchContext.h"

#include <windows.h>

#include <cstddef>

namespace ostrivan {

struct HostInstanceBlock {
    HostInstance instance;  // the host's handle points here
    // OpenIntegratedConsole is creating the window (its initialisation may
    // run a message box's loop).
    bool opening;
    // DestroyInstance came from another thread; carried out on the window's.
    volatile LONG destroyRequested;
    // Teardown waits for the console's loops to unwind (timer id, 0 if none).
    UINT_PTR finishTimer;
};
static_assert(offsetof(HostInstanceBlock, instance) == 0, "the host's handle is the block's address");

// The block on the process heap. Its magic is cleared before the block is
// freed, so a stale handle handed in later is refused.
struct HostInstanceTraits {
    using Type = HostInstanceBlock*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type block) noexcept {
        block->instance.magic = 0;
        HeapTraits<HostInstanceBlock>::Close(block);
    }
};
using UniqueHostInstance = UniqueOwner<HostInstanceTraits>;

inline HostInstanceBlock* BlockOf(HostInstance* instance) { return reinterpret_cast<HostInstanceBlock*>(instance); }
inline HostInstanceBlock* BlockOf(LaunchContext* context) {
    return reinterpret_cast<HostInstanceBlock*>(reinterpret_cast<char*>(context) - offsetof(HostInstance, context));
}

// Ends an instance from the window's thread: at once when nothing of its
// console is on the stack, else once the loops have unwound.
void EndInstance(HostInstanceBlock* block);

// Carries out a DestroyInstance that another thread asked for; called on
// the integrated console's thread with its launch record.
void CarryOutHostRequest(LaunchContext* context);

}  // namespace ostrivan
