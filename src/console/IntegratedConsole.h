// The integrated console's object behind the entry points' seam.
#pragma once

#include "console/IntegratedConsoleWnd.h"

#include <string>
#include <vector>

namespace ostrivan {

// Creates the window modelessly without parent; the object (null on failure)
// and its window. The object is in context->consoleWindowObject while its
// window is created.
IntegratedConsoleWnd* OpenIntegratedConsoleWindow(LaunchContext* context, const std::vector<std::string>& devices,
                                                  IntegratedConsoleWnd::HostRequestHandler handler, HWND* window);

}  // namespace ostrivan
