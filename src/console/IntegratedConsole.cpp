#include "console/IntegratedConsole.h"

#include <memory>

namespace ostrivan {

IntegratedConsoleWnd* OpenIntegratedConsoleWindow(LaunchContext* context, const std::vector<std::string>& devices,
                                                  IntegratedConsoleWnd::HostRequestHandler handler, HWND* window) {
    auto console = std::make_unique<IntegratedConsoleWnd>();
    console->Attach(devices, context);
    console->SetHostRequestHandler(handler);
    if (context) context->consoleWindowObject = console.get();
    bool created = console->Create(nullptr);
    if (context) context->consoleWindowObject = nullptr;
    if (!created) return nullptr;
    if (window) *window = console->hwnd();
    return console.release();
}

}  // namespace ostrivan
