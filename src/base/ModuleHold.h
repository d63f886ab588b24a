// Keeping the module's code mapped while something of it outlives the call
// that started it (a window of a host's thread, a worker still in a driver):
// a host may unload the module as soon as its last call returns.
#pragma once

#include "base/Threads.h"
#include "base/UniqueHandle.h"

namespace ostrivan {

// One more reference to the module that holds this code (the program itself
// when the code is linked into it); empty on failure.
[[nodiscard]] UniqueModule HoldModule();

// A thread that holds its own reference to the module from before it starts
// until after main returns: it ends through FreeLibraryAndExitThread, so
// the module may go with it. Empty when no thread was started.
[[nodiscard]] UniqueHandle StartModuleThread(ThreadMain main, void* argument);

}  // namespace ostrivan
