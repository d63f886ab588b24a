// Names of the kernel objects through which copies of the console coordinate.
#pragma once

namespace ostrivan {

constexpr const char* kIntegratedConsoleMutex = "XC0730 Integrated Console Mutex";
constexpr const char* kRestoreEventName = "XC0730 Standalone Console Restore Event";
constexpr const char* kQuitEventName = "XC0730 Standalone Console Quit Event";
constexpr const char* kCloseEventName = "XC0730 Standalone Console Close Event";
constexpr const char* kPasswordDialogMutex = "Global\\XC0730 Password Dialog Mutex";
constexpr const char* kStandalonePanelEventPrefix = "XC0730 Standalone Console Event ";
constexpr const char* kIntegratedPanelEventPrefix = "XC0730 Integrated Console Event ";

}  // namespace ostrivan
