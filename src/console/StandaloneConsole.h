// Runs the main console window for a standalone launch.
#pragma once

#include "launch/WindowSeams.h"

namespace ostrivan {

void RunConsoleWindow(LaunchContext* context, const DeviceNames& devices);

}  // namespace ostrivan
