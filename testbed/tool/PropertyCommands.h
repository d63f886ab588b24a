// camtestbed's commands on one property of a virtual camera (property,
// withdraw, fail, show); each returns the exit code, 2 for bad arguments.
#pragma once

namespace camtestbed {

// Runs the command when argv[1] names one of ours; otherwise returns -1.
int RunPropertyCommand(int argc, char** argv);
extern const char kPropertyUsage[];

}  // namespace camtestbed
