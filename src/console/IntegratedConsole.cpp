#include "console/IntegratedConsole.h"

#include "console/IntegratedConsoleWnd.h"

#include <new>

namespace ostrivan {

std::unique_ptr<IntegratedConsole> MakeIntegratedConsole(LaunchContext* context,
                                                         const std::vector<std::string>& devices,
                                                         IntegratedConsole::Owner* owner) {
    std::unique_ptr<IntegratedConsoleWnd> console(new (std::nothrow) IntegratedConsoleWnd(owner));
    if (console) console->Attach(devices, context);
    return console;
}

}  // namespace ostrivan
