#include "base/Threads.h"

#include <process.h>

namespace ostrivan {

UniqueHandle StartThread(ThreadMain main, void* argument) {
    return UniqueHandle(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, main, argument, 0, nullptr)));
}

}  // namespace ostrivan
