// InfoPanelWnd: the scrolling container that stacks InfoPanel sections from
// top to bottom. It lays them out whenever one opens or closes or the window
// changes size, shows a vertical scroll bar (and narrows the sections by its
// width) when they are taller than the window, scrolls with the bar and the
// wheel, saves every section's state as "PanelState<n>" when the user toggles
// one, and restores the states whenever it is shown (kRestoreSectionsTimer).
// The first restore that finds no stored state tells the parent with
// kMsgFitToPanel.
//
// Error rule: Create and AddSection return false and leave the window (or,
// for AddSection, its sections) unchanged. Lookups with a key that matches no
// section give null or false. Registry failures count as "no value" on read
// and are ignored on write. A window the skinning library refuses works
// unskinned.
#pragma once

#include "base/Limits.h"
#include "framework/ChildToolTips.h"
#include "framework/Window.h"
#include "infopanel/InfoPanel.h"
#include "settings/SectionStateStore.h"
#include "skin/SkinSession.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace ostrivan {

class InfoPanelWnd : public Window {
public:
    static constexpr const char* kClassName = "InfoPanelWnd";
    static constexpr int kScrollBarWidth = 15;

    InfoPanelWnd() = default;
    ~InfoPanelWnd() override;

    // style: the high word goes to the window, the low word is handed to
    // every section as its flags (kSectionAccordion).
    [[nodiscard]] bool Create(HWND parent, const RECT& rect, UINT id, DWORD extraExStyle, DWORD style,
                              const char* bundlePath, const char* skinName);
    // title null: the client's own text. index -1 appends. reserved is unused.
    [[nodiscard]] bool AddSection(HWND client, UINT id, int reserved, const char* title, int index);

    int GetSectionCount() const { return static_cast<int>(sections_.size()); }
    int FindSection(UINT id) const;
    HWND GetSectionClient(int key, bool byIndex) const;
    bool IsSectionExpanded(int key, bool byIndex) const;
    bool SetSectionExpanded(int key, bool byIndex, bool expand, bool silent);
    int GetContentHeight() const;
    // store may be null (states are then neither saved nor restored).
    void SetStatePersistence(SectionStateStore* store, bool numberByIndex, int base);
    void SetFont(HFONT font, bool redraw) {
        ::SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }

    void Relayout(bool invalidate);
    void RelayoutAndReveal(int index);

    InfoPanel* GetSectionForTesting(int index) const {
        return index >= 0 && index < GetSectionCount() ? sections_[index].get() : nullptr;
    }
    int verticalOffsetForTesting() const { return offset_; }
    bool hasScrollBarForTesting() const { return scrollBar_; }
    const char* sectionSkinNameForTesting() const { return sectionSkin_; }
    const char* dropDownImageForTesting() const { return dropDownImage_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The two names read from the skin data, each in a buffer of this size.
    static constexpr size_t kSkinNameSize = 200;

    LRESULT OnSectionCallback();
    void OnSize(UINT type, SIZE size);
    void OnVScroll(UINT code, int position);
    void OnMouseWheel(UINT keys, short delta);
    // id: the section that changed; toggledId: the same after a user toggle, 0 after a silent change.
    void OnSectionChanged(UINT id, UINT toggledId);
    void OnCollapseOthers(UINT keepId);
    void OnShowWindow(bool shown);
    void OnTimer(UINT_PTR id);
    LRESULT OnSetFont(HFONT font, bool redraw);
    LRESULT OnGetFont();

    // revealIndex < 0: a plain relayout.
    void Layout(bool invalidate, int revealIndex);
    void Scroll(int code, int position);
    void SaveStates();
    void RestoreStates();
    int SectionNumber(int index) const { return numberByIndex_ ? index : base_ + index; }
    int IndexOf(int key, bool byIndex) const;
    void ResizeSections(int widthChange);

    bool scrollBar_ = false;
    SectionStateStore* store_ = nullptr;
    bool numberByIndex_ = true;
    int base_ = 0;
    SkinSession skin_;
    uint32_t sectionFlags_ = 0;
    int offset_ = 0;
    int previousOffset_ = 0;
    std::vector<std::unique_ptr<InfoPanel>> sections_;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    int topMargin_ = 0;
    int bottomMargin_ = 0;
    int gap_ = 0;
    char sectionSkin_[kSkinNameSize] = {};
    char dropDownImage_[kSkinNameSize] = {};
    char bundlePath_[kPathSize] = {};
    bool firstShow_ = true;
    HFONT font_ = nullptr;  // not owned
    ChildToolTips tips_;
};

}  // namespace ostrivan
