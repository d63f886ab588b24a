#include "infopanel/InfoPanel.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/Limits.h"
#include "base/ResourceSource.h"
#include "framework/TitleFont.h"
#include "infopanel/InfoPanelMessages.h"
#include "skin/SkinImages.h"
#include "skin/WindowSkin.h"

#include <algorithm>
#include <cstdio>

namespace ostrivan {

namespace {

// Also used when the window cannot be skinned: with all values 0 a collapsed
// section would be 0 pixels high and its title could never be clicked.
constexpr InfoPanel::Layout kDefaultLayout{1, 1, 24, 1, 5, 5};
constexpr uint32_t kRegionRequest = 100;  // bytes of "RegionData" asked for
constexpr DWORD kTitleStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | BS_LEFTTEXT | BS_CHECKBOX;
static_assert(kTitleStyle == 0x56010022, "title button style");

bool IsVisibleFlag(HWND window) { return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

SIZE WindowSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

InfoPanel::~InfoPanel() {
    // The window goes first, while the whole object still takes its messages.
    DestroyWindow();
}

bool InfoPanel::Create(uint32_t flags, UINT id, const char* title, HWND client, HWND parent, const char* bundlePath,
                       const char* skinName, const char* dropDownImage) {
    if (!bundlePath || !*bundlePath || !client || !::IsWindow(client) || hwnd()) return false;
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr)) return false;
    const RECT initial{0, 0, 100, 32};
    if (!CreateEx(WS_EX_CONTROLPARENT, kClassName, title ? title : "", WS_CHILD | WS_CLIPCHILDREN, initial, parent, id))
        return false;
    flags_ = flags;
    if (!title_.CreateEx(0, "BUTTON", title ? title : "", kTitleStyle, initial, hwnd(), IDC_SECTION_TITLE)) {
        DestroyWindow();
        return false;
    }
    HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
    if (!parentFont) parentFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageA(title_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(parentFont), FALSE);

    const bool named = skinName && *skinName;
    const WindowSkin look(bundlePath, skinName, {{IDC_SECTION_TITLE, dropDownImage}});
    if (skin_.Open(hwnd(), look.descriptor(), nullptr)) {
        ReadLayout(named ? skinName : "");
    } else {
        layout_ = kDefaultLayout;
    }

    UseTitleFont();

    ::SetParent(client, hwnd());
    ::SetWindowPos(client, nullptr, layout_.leftMargin, layout_.topMargin, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    client_ = client;
    const bool expanded = IsVisibleFlag(client);
    title_.SetCheck(expanded ? BST_CHECKED : BST_UNCHECKED);
    Resize(expanded);

    (void)tips_.EnableAfterShow(hwnd());
    ::ShowWindow(hwnd(), SW_SHOW);
    return true;
}

void InfoPanel::ReadLayout(const char* skinName) {
    char section[kPathSize];
    std::snprintf(section, sizeof(section), "%s%s", kInfoPanelDataPrefix, skinName);
    auto number = [&](const char* key, int fallback) {
        return static_cast<int>(skin_.ReadSkinNumber(section, key, fallback));
    };
    layout_.leftMargin = number("LeftBorderMargin", kDefaultLayout.leftMargin);
    layout_.rightMargin = number("RightBorderMargin", kDefaultLayout.rightMargin);
    layout_.topMargin = number("TopBorderMargin", kDefaultLayout.topMargin);
    layout_.bottomMargin = number("BottomBorderMargin", kDefaultLayout.bottomMargin);
    layout_.titleIndentLeft = number("TitleIndentLeft", kDefaultLayout.titleIndentLeft);
    layout_.titleIndentRight = number("TitleIndentRight", kDefaultLayout.titleIndentRight);
    static_assert(kRegionDataSize >= kRegionRequest, "region buffer");
    skin_.ReadSkinData(section, "RegionData", region_, kRegionRequest);
}

bool InfoPanel::UseTitleFont() {
    titleFont_ = CreateTitleFont(hwnd());
    if (!titleFont_) return false;
    ::SendMessageA(title_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    return true;
}

void InfoPanel::Resize(bool withClient) {
    SIZE size{};
    if (!client_ || !GetSectionSize(&size)) return;
    if (!withClient) size.cy = layout_.topMargin + layout_.bottomMargin;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InfoPanel::SetExpanded(bool expand, bool silent) {
    if (!client_) return;
    ::ShowWindow(client_, expand ? SW_SHOW : SW_HIDE);
    Resize(expand);
    title_.SetCheck(expand ? BST_CHECKED : BST_UNCHECKED);
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(hwnd()));
    ::PostMessageA(::GetParent(hwnd()), kMsgSectionChanged, id, silent ? 0 : id);
}

bool InfoPanel::IsExpanded() const { return client_ && IsVisibleFlag(client_); }

bool InfoPanel::GetSectionSize(SIZE* size) const {
    if (!client_ || !size) return false;
    const SIZE client = WindowSize(client_);
    size->cx = layout_.leftMargin + layout_.rightMargin + client.cx;
    size->cy = layout_.topMargin + layout_.bottomMargin + (IsExpanded() ? client.cy : 0);
    return true;
}

LRESULT InfoPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
    case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
    case WM_SETCURSOR: if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) return TRUE; break;
    case WM_NOTIFY: if (OnNotify(NotifyOf(lParam))) return TRUE; break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void InfoPanel::OnSize(UINT, SIZE size) {
    if (title_.hwnd()) {
        const Layout& l = layout_;
        const int titleWidth = size.cx - l.titleIndentRight - l.rightMargin - l.leftMargin - l.titleIndentLeft;
        ::SetWindowPos(title_.hwnd(), nullptr, l.leftMargin + l.titleIndentLeft, 2, std::max(0, titleWidth),
                       std::max(0, l.topMargin - 4), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    skin_.ApplySkinRegion(1, region_);
}

bool InfoPanel::OnCommand(const Command& command) {
    bool titleClicked =
        command.id == IDC_SECTION_TITLE && command.code == BN_CLICKED && command.control == title_.hwnd();
    if (!titleClicked) return false;
    OnTitleClicked();
    return true;
}

void InfoPanel::OnTitleClicked() {
    if (!client_) return;
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(hwnd()));
    HWND parent = ::GetParent(hwnd());
    HWND grandparent = parent ? ::GetParent(parent) : nullptr;
    const UINT callback = InfoPanelCallbackMessage();
    const bool accordion = (flags_ & kSectionAccordion) != 0;
    WPARAM change;
    if (!IsExpanded()) {
        SetExpanded(true, false);
        if (accordion) ::SendMessageA(parent, kMsgCollapseOthers, id, 0);
        change = kSectionExpanded;
    } else if (!accordion) {
        SetExpanded(false, false);
        change = kSectionCollapsed;
    } else {
        return;  // an accordion section stays open until another one opens
    }
    if (grandparent) ::SendMessageA(grandparent, callback, change, id);
    ::SendMessageA(parent, callback, kSectionCollapsed, id);
}

bool InfoPanel::OnSetCursor(HWND window, UINT, UINT) {
    if (!window || window != title_.hwnd()) return false;
    ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    return true;
}

bool InfoPanel::OnNotify(NMHDR* header) {
    if (!header || !IsToolTipTextRequest(*header)) return false;
    const bool aboutTitle = ToolTipRequestByWindow(*header) ? reinterpret_cast<HWND>(header->idFrom) == title_.hwnd()
                                                            : header->idFrom == IDC_SECTION_TITLE;
    if (!aboutTitle) return false;
    const bool checked = title_.GetCheck() == BST_CHECKED;
    AnswerToolTipRequest(*header,
                         LoadResourceString(checked ? IDS_TIP_SECTION_EXPANDED : IDS_TIP_SECTION_COLLAPSED).c_str());
    return true;
}

void InfoPanel::OnDestroy() {
    // The title font goes first; the button must not keep using it.
    if (title_.hwnd()) ::SendMessageA(title_.hwnd(), WM_SETFONT, 0, FALSE);
    titleFont_.reset();
}

}  // namespace ostrivan
