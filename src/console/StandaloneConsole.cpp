#include "console/StandaloneConsole.h"

#include "console/ConsoleWnd.h"

#include <memory>

namespace ostrivan {

void RunConsoleWindow(LaunchContext* context, const std::vector<std::string>& devices) {
    auto window = std::make_unique<ConsoleWnd>();
    window->Attach(devices, context);
    window->DoModal(nullptr);
}

}  // namespace ostrivan
