// Threads of the runtime library: started with its thread-start call, so
// that they end through its matching thread-end call.
#pragma once

#include "base/UniqueHandle.h"

namespace ostrivan {

using ThreadMain = unsigned(__stdcall*)(void* argument);

// The new thread's handle; empty when no thread was started.
[[nodiscard]] UniqueHandle StartThread(ThreadMain main, void* argument);

}  // namespace ostrivan
