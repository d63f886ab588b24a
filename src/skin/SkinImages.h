// Names of the skin bundle's images and data sections that the console's
// windows ask for.
#pragma once

namespace ostrivan {

// Main console window.
constexpr const char* kConsoleBackgroundImage = "BG.png";
constexpr const char* kMinimizeButtonImage = "Minimize.png";
constexpr const char* kCloseButtonImage = "Close.png";
constexpr const char* kCameraButtonImage = "Button_Special.png";
constexpr const char* kOptionsButtonImage = "Setting.png";

// Integrated console window.
constexpr const char* kIntegratedBackgroundImage = "InfoPanelWnd.png";

// Tab strip.
constexpr const char* kTabStripBackgroundImage = "BG3.png";
constexpr const char* kTabButtonImage = "TabsButton.png";
constexpr const char* kViewTabImage = "ZestView.png";

// Options dialog, the parental lock's password dialogs, the view panel and
// the advanced settings dialog.
constexpr const char* kDialogBackgroundImage = "InfoPanelWnd.png";

// Info panel window and its sections. A section's data lie in the section
// "InfoPanelData_" + its skin name, the window's in "InfoPanelWndData_" +
// its skin name (InfoPanel.png when it has none).
constexpr const char* kInfoPanelWindowSkin = "InfoPanelWnd.PNG";
constexpr const char* kInfoPanelDefaultSkin = "InfoPanel.png";
constexpr const char* kInfoPanelWindowDataPrefix = "InfoPanelWndData_";
constexpr const char* kInfoPanelDataPrefix = "InfoPanelData_";

}  // namespace ostrivan
