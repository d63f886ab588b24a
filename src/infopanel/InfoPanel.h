// InfoPanel: one collapsible section of the info panel window. A title
// button (IDC_SECTION_TITLE, a check box drawn by the skinning library) across the
// top, and one hosted client window below it. The state is nothing but the
// client's visibility.
//
// Messages it sends: kMsgSectionChanged (posted to the parent after every
// change; lParam the id after a user toggle, 0 after a silent one),
// kMsgCollapseOthers (sent to the parent when the user expands an accordion
// section) and "WM_INFOPANELWND_CALLBACK"
// (after a user toggle: to the grandparent with 1 or 2, then to the parent
// with 2).
//
// Error rule: Create returns false without leaving a window when the bundle
// path or client is missing or a window cannot be made. The other operations
// do nothing (or return false) without a client. When the window cannot be
// skinned the section keeps the layout defaults, so its title stays usable.
#pragma once

#include "base/UniqueHandle.h"
#include "framework/ChildToolTips.h"
#include "framework/Controls.h"
#include "framework/Window.h"
#include "skin/SkinSession.h"

#include <cstddef>
#include <cstdint>

namespace ostrivan {

class InfoPanel : public Window {
public:
    static constexpr const char* kClassName = "InfoPanel";

    // Layout read from the skin data section "InfoPanelData_<skin name>".
    struct Layout {
        int leftMargin = 0;
        int rightMargin = 0;
        int topMargin = 0;
        int bottomMargin = 0;
        int titleIndentLeft = 0;
        int titleIndentRight = 0;
    };

    InfoPanel() = default;
    ~InfoPanel() override;

    [[nodiscard]] bool Create(uint32_t flags, UINT id, const char* title, HWND client, HWND parent,
                              const char* bundlePath, const char* skinName, const char* dropDownImage);

    void SetExpanded(bool expand, bool silent);
    bool IsExpanded() const;
    HWND GetClient() const { return client_; }
    // Width = margins + client width; height = top + bottom margin, plus the
    // client's height while it is shown. False without a client.
    [[nodiscard]] bool GetSectionSize(SIZE* size) const;

    HWND titleButtonForTesting() const { return title_.hwnd(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // What the skin engine reads "RegionData" into and shapes the section
    // with at every size change.
    static constexpr size_t kRegionDataSize = 200;

    // Handlers returning bool take their message only when it is about the
    // title button.
    void OnSize(UINT type, SIZE size);
    bool OnCommand(const Command& command);
    bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    bool OnNotify(NMHDR* header);
    void OnDestroy();

    void ReadLayout(const char* skinName);
    bool UseTitleFont();
    void OnTitleClicked();
    void Resize(bool withClient);

    SkinSession skin_;
    Button title_;
    HWND client_ = nullptr;  // not owned
    uint32_t flags_ = 0;
    Layout layout_;
    unsigned char region_[kRegionDataSize] = {};
    UniqueGdi<HFONT> titleFont_;
    ChildToolTips tips_;
};

}  // namespace ostrivan
