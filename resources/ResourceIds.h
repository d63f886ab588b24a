/* Fixed numbers shared by the resource library's script and the module's code:
   template, icon, string and control ids as plain #defines (the resource
   compiler reads this file too), then, for the code only, the private message
   numbers, command ranges and timers of the console's windows. */
#ifndef OSTRIVAN_RESOURCE_IDS_H
#define OSTRIVAN_RESOURCE_IDS_H

/* Dialog templates */
#define IDD_CONSOLE 120
#define IDD_VIEW_PANEL 121
#define IDD_ADVANCED 123
#define IDD_INTEGRATED_CONSOLE 127
#define IDD_OPTIONS 128
#define IDD_SET_PASSWORD 129
#define IDD_PASSWORD_PROMPT 130
#define IDD_TAB_STRIP 134

/* Icons. The shell counts icon groups in id order; the shortcut uses the fifth. */
#define IDI_CONSOLE 125
#define IDI_SPARE_1 126
#define IDI_SPARE_2 127
#define IDI_SPARE_3 128
#define IDI_SHORTCUT 129
#define SHORTCUT_ICON_INDEX 4

/* Strings */
#define IDS_NO_CAMERA 4
#define IDS_SKIN_FAILED 19
#define IDS_CONSOLE_TITLE 57673
#define IDS_TIP_MINIMIZE 57698
#define IDS_TIP_CLOSE 57699
#define IDS_VIEW_PANEL_TITLE 57700
#define IDS_TIP_SECTION_COLLAPSED 57712
#define IDS_TIP_SECTION_EXPANDED 57713
#define IDS_PASSWORD_CHANGED 57717
#define IDS_PARENTAL_LOCK_NAME 57718
#define IDS_FIRST_PASSWORD_SET 57719
#define IDS_PASSWORDS_DIFFER 57720
#define IDS_OLD_PASSWORD_WRONG 57721
#define IDS_NEW_PASSWORD_EMPTY 57722
#define IDS_PASSWORD_LABEL 57723
#define IDS_CONFIRM_PASSWORD_LABEL 57724
#define IDS_PROMPT_QUIET_TITLE 57725
#define IDS_PROMPT_QUIET_LABEL 57726
#define IDS_SET_PASSWORD_FIRST_TITLE 57727
#define IDS_SET_PASSWORD_FIRST_LABEL 57728
#define IDS_SET_PASSWORD_CHANGE_TITLE 57729
#define IDS_SET_PASSWORD_CHANGE_LABEL 57730
#define IDS_PROMPT_LOCK_TITLE 57731
#define IDS_PROMPT_LOCK_LABEL 57732
#define IDS_CURRENT_PASSWORD_LABEL 57733
#define IDS_NEW_PASSWORD_LABEL 57734
#define IDS_LOCK_BUTTON_OFF 57735
#define IDS_LOCK_BUTTON_ON 57736
#define IDS_PASSWORD_WRONG 57737
#define IDS_PROMPT_UNLOCK_TITLE 57738
#define IDS_PROMPT_UNLOCK_LABEL 57739
#define IDS_LOCK_SWITCHED_ON 57740
#define IDS_LOCK_SWITCHED_OFF 57741
#define IDS_PASSWORD_TOO_SHORT 57742
#define IDS_PARENTAL_SETUP_QUESTION 57743
#define IDS_PARENTAL_CAPTION 57744
#define IDS_LOCK_WRITE_FAILED 57745
#define IDS_LOCK_LEFT_ON 57746

/* Console window (template 120) */
#define IDC_MINIMIZE 1057
#define IDC_CLOSE 1058
#define IDC_CAMERA_BUTTON 1059
#define IDC_CONSOLE_FOOTER 1106
#define IDC_OPTIONS 1107
#define IDC_TAB_PLACEHOLDER 1141
#define IDC_TITLE_ICON 30001
#define IDC_TITLE_TEXT 30002
#define IDC_INFO_PANEL 201

/* Tab strip (template 134) and the integrated console's tabs (template 127) */
#define IDC_TAB_VIEW 1141
#define IDC_TAB_HIDE 1142

/* View panel (template 121) */
#define IDC_VIEW_SKIN_AREA 1062
#define IDC_AUTO_EXPOSURE 1063
#define IDC_BRIGHTNESS_LABEL 1064
#define IDC_CONTRAST_LABEL 1065
#define IDC_ADVANCED 1067
#define IDC_CONTRAST_SLIDER 1070
#define IDC_EXPOSURE_SLIDER 1098
#define IDC_BRIGHTNESS_SLIDER 1099
#define IDC_DEFAULT 1101
#define IDC_EXPOSURE_LABEL 1133
#define IDC_EXPOSURE_RULE 1134

/* Advanced settings (template 123) */
#define IDC_POWER_LINE_LABEL 1081
#define IDC_POWER_LINE_50HZ 1082
#define IDC_POWER_LINE_60HZ 1083
#define IDC_POWER_LINE_OFF 1084
#define IDC_SLIDER_GROUP_LABEL 1092
#define IDC_SHARPNESS_LABEL 1094
#define IDC_BACKLIGHT_LABEL 1095
#define IDC_SHARPNESS_SLIDER 1069
#define IDC_BACKLIGHT_SLIDER 1096
#define IDC_ADVANCED_DEFAULT 1097

/* Options (template 128) */
#define IDC_AUTO_LAUNCH 1110
#define IDC_ALWAYS_ON_TOP 1111
#define IDC_CHANGE_PASSWORD 1113
#define IDC_LOCK_TOGGLE 1132

/* Set password (template 129) */
#define IDC_OLD_PASSWORD 1117
#define IDC_NEW_PASSWORD 1118
#define IDC_CONFIRM_PASSWORD 1119
#define IDC_SET_PASSWORD_LABEL 1120

/* Password prompt (template 130) */
#define IDC_UNLOCK_NOTE 1112
#define IDC_PROMPT_PASSWORD 1122
#define IDC_PROMPT_LABEL 1123

/* Info panel section title button */
#define IDC_SECTION_TITLE 69

#ifdef __cplusplus
#include <windows.h>

namespace ostrivan {

/* Private messages carry wParam 0 and lParam 0 unless noted. */
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
// Device-change worker -> console (posted): the cameras found now are in the
// job whose number is lParam; the console applies them and signals the job.
constexpr UINT kMsgDeviceListReady = WM_APP + 0x10;
// Device-change worker -> console (posted): the current camera can be opened.
constexpr UINT kMsgDeviceReachable = WM_APP + 0x11;
// Watcher -> console window (posted): another launch asked for the running
// console; the window restores itself and comes to the front on its own
// thread, so the watcher never waits on it.
constexpr UINT kMsgBringToFront = WM_APP + 0x20;
// View panel or advanced settings dialog -> itself (posted): refresh from the
// camera if the window is visible. Posted by the change listener's thread,
// and after the window was shown.
constexpr UINT kMsgPanelRefresh = WM_APP + 0x21;
// Camera worker -> its view panel or advanced settings dialog (posted): the
// reading whose number is lParam is ready to be taken.
constexpr UINT kMsgCameraReading = WM_APP + 0x22;

// Camera menu entries: ids are handed out from one past the first id, so the
// button takes 50001 to 50101 as its own and 100 entries can be picked.
constexpr UINT kFirstCameraCommand = 50001;
constexpr UINT kLastCameraCommand = 50101;

// Timers.
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshPeriodMs = 1500;
constexpr UINT_PTR kRestoreSectionsTimer = 101;

}  // namespace ostrivan
#endif

#endif
