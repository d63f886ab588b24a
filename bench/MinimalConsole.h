// The launch benchmark's yardstick: a rundll32 DLL of its own that makes the
// bare platform calls to show one camera's values and shows a window of the
// console's size with three sliders set to them. Installed beside the module.
//
//   rundll32 MinimalConsole.dll,MinimalConsoleRunDLL32EP <width> <height> <camera>
//
// Without the camera's values it shows nothing and returns.
#pragma once

namespace bench {

constexpr char kMinimalConsoleDll[] = "MinimalConsole.dll";
constexpr char kMinimalConsoleEntry[] = "MinimalConsoleRunDLL32EP";
constexpr char kMinimalConsoleTitle[] = "Minimal camera console";

}  // namespace bench
