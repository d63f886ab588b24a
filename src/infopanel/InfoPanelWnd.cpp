#include "infopanel/InfoPanelWnd.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "infopanel/InfoPanelMessages.h"
#include "skin/SkinImages.h"
#include "skin/WindowSkin.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace ostrivan {

namespace {
constexpr uint32_t kSkinNameRequest = 120;  // bytes read into each name buffer
// A title is the client's window text of at most 200 characters.
constexpr size_t kClientTitleSize = 201;
constexpr int kLineStep = 10;
constexpr int kWheelDivisor = 5;  // 120 units per notch: 24 pixels
constexpr UINT kFirstRestoreDelayMs = 100;
constexpr UINT kParentHiddenRetryMs = 100;
}  // namespace

InfoPanelWnd::~InfoPanelWnd() {
    // Last section first, each window before its object; then this window.
    while (!sections_.empty()) {
        sections_.back().reset();
        sections_.pop_back();
    }
    DestroyWindow();
}

bool InfoPanelWnd::Create(HWND parent, const RECT& rect, UINT id, DWORD extraExStyle, DWORD style,
                          const char* bundlePath, const char* skinName) {
    if (!bundlePath || !*bundlePath || !parent || !::IsWindow(parent) || hwnd()) return false;
    // The face colour shows wherever no section lies when the window is unskinned.
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))))
        return false;
    sectionFlags_ = LOWORD(style);
    const DWORD windowStyle = (style & 0xFFFF0000u) | WS_CHILD | WS_CLIPCHILDREN;
    if (!CreateEx(extraExStyle | WS_EX_CONTROLPARENT, kClassName, "", windowStyle, rect, parent, id)) return false;
    font_ = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
    CopyText(bundlePath_, bundlePath);

    const bool named = skinName && *skinName;
    const WindowSkin look(bundlePath_, skinName);
    leftMargin_ = rightMargin_ = topMargin_ = bottomMargin_ = gap_ = 0;
    // Refused by the skinning library (or without one) the window works
    // unskinned, with plain sections: the console still needs its panel.
    if (skin_.Open(hwnd(), look.descriptor(), nullptr)) {
        char section[kPathSize];
        std::snprintf(section, sizeof(section), "%s%s", kInfoPanelWindowDataPrefix,
                      named ? skinName : kInfoPanelDefaultSkin);
        static_assert(kSkinNameRequest < kSkinNameSize, "names keep their NUL");
        skin_.ReadSkinData(section, "InfoPanelBkgBMP", sectionSkin_, kSkinNameRequest);
        skin_.ReadSkinData(section, "DropDownBMP", dropDownImage_, kSkinNameRequest);
        sectionSkin_[sizeof(sectionSkin_) - 1] = '\0';
        dropDownImage_[sizeof(dropDownImage_) - 1] = '\0';
    }
    (void)tips_.Enable(hwnd());
    return true;
}

bool InfoPanelWnd::AddSection(HWND client, UINT id, int /*reserved*/, const char* title, int index) {
    const int count = GetSectionCount();
    if (!hwnd() || !client || !::IsWindow(client) || index < -1 || index > count) return false;
    char clientText[kClientTitleSize] = {};
    if (!title) {
        ::GetWindowTextA(client, clientText, sizeof(clientText));
        title = clientText;
    }
    // Room first, so that nothing can fail once the section holds the client.
    try {
        sections_.reserve(sections_.size() + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::unique_ptr<InfoPanel> section(new (std::nothrow) InfoPanel);
    if (!section) return false;
    if (!section->Create(sectionFlags_, id, title, client, hwnd(), bundlePath_, sectionSkin_, dropDownImage_))
        return false;
    sections_.insert(index < 0 ? sections_.end() : sections_.begin() + index, std::move(section));
    Relayout(true);
    return true;
}

int InfoPanelWnd::FindSection(UINT id) const {
    for (int i = 0; i < GetSectionCount(); ++i) {
        HWND window = sections_[i]->hwnd();
        if (window && static_cast<UINT>(::GetDlgCtrlID(window)) == id) return i;
    }
    return -1;
}

int InfoPanelWnd::IndexOf(int key, bool byIndex) const {
    if (byIndex) return key >= 0 && key < GetSectionCount() ? key : -1;
    return FindSection(static_cast<UINT>(key));
}

HWND InfoPanelWnd::GetSectionClient(int key, bool byIndex) const {
    const int index = IndexOf(key, byIndex);
    return index < 0 ? nullptr : sections_[index]->GetClient();
}

bool InfoPanelWnd::IsSectionExpanded(int key, bool byIndex) const {
    const int index = IndexOf(key, byIndex);
    return index >= 0 && sections_[index]->IsExpanded();
}

bool InfoPanelWnd::SetSectionExpanded(int key, bool byIndex, bool expand, bool silent) {
    const int index = IndexOf(key, byIndex);
    if (index < 0) return false;
    sections_[index]->SetExpanded(expand, silent);
    return true;
}

int InfoPanelWnd::GetContentHeight() const {
    int height = topMargin_ + bottomMargin_;
    for (int i = 0; i < GetSectionCount(); ++i) {
        SIZE size{};
        if (sections_[i]->GetSectionSize(&size)) height += size.cy;
        if (i > 0) height += gap_;
    }
    return height;
}

void InfoPanelWnd::SetStatePersistence(SectionStateStore* store, bool numberByIndex, int base) {
    store_ = store;
    numberByIndex_ = numberByIndex;
    base_ = base;
}

void InfoPanelWnd::Relayout(bool invalidate) { Layout(invalidate, -1); }

void InfoPanelWnd::RelayoutAndReveal(int index) { Layout(true, std::max(0, index)); }

void InfoPanelWnd::ResizeSections(int widthChange) {
    for (auto& section : sections_) {
        RECT r{};
        ::GetWindowRect(section->hwnd(), &r);
        ::SetWindowPos(section->hwnd(), nullptr, 0, 0, r.right - r.left + widthChange, r.bottom - r.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void InfoPanelWnd::Layout(bool invalidate, int revealIndex) {
    const int count = GetSectionCount();
    std::vector<SIZE> sizes(count, SIZE{0, 0});
    std::vector<int> tops(count, 0);
    int y = topMargin_;
    for (int i = 0; i < count; ++i) {
        if (invalidate) ::InvalidateRect(sections_[i]->hwnd(), nullptr, TRUE);
        if (!sections_[i]->GetSectionSize(&sizes[i])) sizes[i] = SIZE{0, 0};
        tops[i] = y;
        y += sizes[i].cy + gap_;
    }
    const int content = GetContentHeight();
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int page = client.bottom - client.top;
    ::ShowScrollBar(hwnd(), SB_HORZ, FALSE);

    if (revealIndex >= 0 || ::IsWindowVisible(hwnd())) {
        if (content > page) {
            if (!scrollBar_) {
                ResizeSections(-kScrollBarWidth);
                scrollBar_ = true;
            }
            if (revealIndex >= 0) {
                const int above = std::min(revealIndex, count);
                offset_ = 0;
                for (int i = 0; i < above; ++i) offset_ += sizes[i].cy + (i > 0 ? gap_ : 0);
            }
            ::ShowScrollBar(hwnd(), SB_VERT, TRUE);
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMin = 0;
            info.nMax = content;
            info.nPage = static_cast<UINT>(page);
            info.nPos = offset_;
            ::SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
        } else {
            if (scrollBar_) {
                ResizeSections(kScrollBarWidth);
                scrollBar_ = false;
            }
            ::ShowScrollBar(hwnd(), SB_VERT, FALSE);
            if (offset_ > 0) {
                offset_ = 0;
                Layout(true, -1);
            }
            offset_ = 0;
        }
    }
    if (offset_ > 0 && content - offset_ < page) {
        offset_ = std::max(0, content - page);
        if (scrollBar_) ::SetScrollPos(hwnd(), SB_VERT, offset_, TRUE);
    }

    const int narrowing = scrollBar_ ? kScrollBarWidth : 0;
    auto place = [&](int i) {
        ::SetWindowPos(sections_[i]->hwnd(), nullptr, leftMargin_, tops[i] - offset_, sizes[i].cx - narrowing,
                       sizes[i].cy, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Moving down: the lowest section first, so none is drawn over another.
    if (offset_ <= previousOffset_) {
        for (int i = count - 1; i >= 0; --i) place(i);
    } else {
        for (int i = 0; i < count; ++i) place(i);
    }
}

void InfoPanelWnd::Scroll(int code, int position) {
    if (!scrollBar_) return;
    previousOffset_ = offset_;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(hwnd(), SB_VERT, &info);
    int offset = offset_;
    switch (code) {
    case SB_LINEUP: offset -= kLineStep; break;
    case SB_LINEDOWN: offset += kLineStep; break;
    case SB_PAGEUP: offset -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: offset += static_cast<int>(info.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: offset = position; break;
    case SB_TOP: offset -= 1; break;
    case SB_BOTTOM: offset += 1; break;
    default: break;
    }
    const int limit = info.nMax - info.nMin - static_cast<int>(info.nPage);
    offset_ = std::max(0, std::min(offset, limit));
    ::SetScrollPos(hwnd(), SB_VERT, offset_, TRUE);
    Relayout(false);
}

void InfoPanelWnd::SaveStates() {
    if (!store_) return;
    for (int i = 0; i < GetSectionCount(); ++i)
        store_->SaveSectionState(SectionNumber(i), sections_[i]->IsExpanded() ? 1 : 0);
}

void InfoPanelWnd::RestoreStates() {
    KillTimer(kRestoreSectionsTimer);
    HWND parent = ::GetParent(hwnd());
    if (!::IsWindowVisible(parent)) {
        SetTimer(kRestoreSectionsTimer, kParentHiddenRetryMs);
        return;
    }
    bool found = false;
    for (int i = 0; i < GetSectionCount(); ++i) {
        DWORD state = static_cast<DWORD>(-1);
        if (!store_ || !store_->LoadSectionState(SectionNumber(i), &state)) continue;
        found = true;
        if (state == 1) SetSectionExpanded(i, true, true, true);
    }
    if (!found) {
        SetSectionExpanded(0, true, true, true);
        if (numberByIndex_ && firstShow_) ::SendMessageA(parent, kMsgFitToPanel, 0, 0);
    }
    firstShow_ = false;
}

LRESULT InfoPanelWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == InfoPanelCallbackMessage()) return OnSectionCallback();
    switch (message) {
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam)); break;
    case WM_MOUSEWHEEL: OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam))); break;
    case kMsgSectionChanged: OnSectionChanged(static_cast<UINT>(wParam), static_cast<UINT>(lParam)); break;
    case kMsgCollapseOthers: OnCollapseOthers(static_cast<UINT>(wParam)); break;
    case WM_SHOWWINDOW: OnShowWindow(wParam != FALSE); break;
    case WM_TIMER: OnTimer(wParam); break;
    case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
    case WM_GETFONT: return OnGetFont();
    }
    return Window::WindowProc(message, wParam, lParam);
}

LRESULT InfoPanelWnd::OnSectionCallback() {
    SaveStates();
    return 0;
}

void InfoPanelWnd::OnSize(UINT, SIZE) { Relayout(true); }

void InfoPanelWnd::OnVScroll(UINT code, int position) { Scroll(code, position); }

void InfoPanelWnd::OnMouseWheel(UINT, short delta) { Scroll(SB_THUMBTRACK, offset_ - delta / kWheelDivisor); }

void InfoPanelWnd::OnSectionChanged(UINT, UINT toggledId) {
    const int index = toggledId ? FindSection(toggledId) : -1;
    if (index >= 0) {
        RelayoutAndReveal(index);
    } else {
        Relayout(true);
    }
}

void InfoPanelWnd::OnCollapseOthers(UINT keepId) {
    for (auto& section : sections_) {
        if (static_cast<UINT>(::GetDlgCtrlID(section->hwnd())) != keepId && section->IsExpanded())
            section->SetExpanded(false, false);
    }
}

void InfoPanelWnd::OnShowWindow(bool shown) {
    if (shown) SetTimer(kRestoreSectionsTimer, firstShow_ ? kFirstRestoreDelayMs : 0);
}

void InfoPanelWnd::OnTimer(UINT_PTR id) {
    if (id == kRestoreSectionsTimer) RestoreStates();
}

LRESULT InfoPanelWnd::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    if (redraw) ::InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

LRESULT InfoPanelWnd::OnGetFont() { return reinterpret_cast<LRESULT>(font_); }

}  // namespace ostrivan
