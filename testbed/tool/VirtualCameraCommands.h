// camtestbed's commands for virtual cameras; each returns the exit code.
#pragma once

namespace camtestbed {

// Runs the command when argv[1] names one of ours; otherwise returns -1.
int RunVirtualCameraCommand(int argc, char** argv);
extern const char kVirtualCameraUsage[];

}  // namespace camtestbed
