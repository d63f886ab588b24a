// Private message numbers and command ids of the console's windows. All
// private messages carry wParam 0 and lParam 0 unless noted.
#pragma once

#include <windows.h>

namespace ostrivan {

// Camera menu button -> its parent: the user picked a camera (sent).
constexpr UINT kMsgCameraPicked = 2025;
// Info panel window -> console: first showing without stored section states.
constexpr UINT kMsgFitToPanel = 4055;
// Tab strip -> console: show or hide the info panel.
constexpr UINT kMsgShowInfoPanel = 6025;
constexpr UINT kMsgHideInfoPanel = 6026;
// Section -> info panel window: a section changed state (wParam its id,
// lParam its id after a user toggle, 0 after a silent change; posted).
constexpr UINT kMsgSectionChanged = 1093;
// Section -> info panel window: collapse the others (wParam the one to keep).
constexpr UINT kMsgCollapseOthers = 1193;

// Camera menu entries: ids are handed out from one past the first id, so the
// button takes 50001 to 50101 as its own and 100 entries can be picked.
constexpr UINT kFirstCameraCommand = 50001;
constexpr UINT kLastCameraCommand = 50101;

// Device-change worker -> console (posted): the cameras found now are in the
// job whose number is lParam; the console applies them and signals the job.
constexpr UINT kMsgDeviceListReady = WM_APP + 0x10;
// Device-change worker -> console (posted): the current camera can be opened.
constexpr UINT kMsgDeviceReachable = WM_APP + 0x11;

// Timers.
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshPeriodMs = 1500;
constexpr UINT_PTR kRestoreSectionsTimer = 101;

}  // namespace ostrivan
