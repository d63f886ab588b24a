// Runs the main console window for a standalone launch.
#pragma once

#include "launch/LaunchContext.h"

#include <string>
#include <vector>

namespace ostrivan {

// Modal on the calling thread; returns when the window has closed.
void RunConsoleWindow(LaunchContext* context, const std::vector<std::string>& devices);

}  // namespace ostrivan
