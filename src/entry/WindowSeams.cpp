#include "entry/WindowSeams.h"

namespace ostrivan {

ConsoleWindowHooks& ConsoleWindows() {
    static ConsoleWindowHooks hooks;
    return hooks;
}

}  // namespace ostrivan
