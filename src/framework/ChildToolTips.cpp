#include "framework/ChildToolTips.h"

#include "base/BoundedText.h"
#include "base/NoThrow.h"

namespace ostrivan {

ChildToolTips::~ChildToolTips() { CancelPending(); }

void ChildToolTips::FollowOwner(HWND owner) {
    if (owner_ == owner && ::IsWindow(owner_)) return;
    CancelPending();
    owner_ = owner;
    enabled_ = false;
}

void ChildToolTips::CancelPending() {
    // The timer goes with its window; one still there is stopped here.
    if (pending_ && ::IsWindow(owner_)) ::KillTimer(owner_, TimerId());
    pending_ = false;
    pendingTools_.clear();
}

bool ChildToolTips::Enable(HWND owner) {
    if (!owner || !::IsWindow(owner)) return false;
    FollowOwner(owner);
    CancelPending();
    enabled_ = true;
    for (HWND child = ::GetWindow(owner_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!Add(child)) return false;
    }
    return true;
}

bool ChildToolTips::EnableAfterShow(HWND owner) {
    if (!owner || !::IsWindow(owner)) return false;
    FollowOwner(owner);
    if (enabled_ || pending_) return false;
    std::vector<HWND> children;
    bool listed = TryAllocating([&] {
        for (HWND child = ::GetWindow(owner_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
    });
    // The timer's id is this object, which its procedure is handed back.
    if (!listed || !::SetTimer(owner_, TimerId(), USER_TIMER_MINIMUM, OnTimer)) return false;
    pendingTools_.swap(children);
    pending_ = true;
    return true;
}

void CALLBACK ChildToolTips::OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    auto* self = reinterpret_cast<ChildToolTips*>(id);
    if (!self->pending_ || self->owner_ != window) return;
    self->pending_ = false;
    std::vector<HWND> children;
    children.swap(self->pendingTools_);
    self->enabled_ = true;
    // A child that went meanwhile gets no tool.
    for (HWND child : children) {
        if (::IsWindow(child) && ::GetParent(child) == window && !self->Add(child)) return;
    }
}

bool ChildToolTips::Add(HWND child) {
    if (!enabled_ || !child || !::IsWindow(owner_) || ::GetParent(child) != owner_) return false;
    if (!tip_.hwnd() && !tip_.Create(owner_, TTS_ALWAYSTIP)) return false;
    return tip_.AddWindowTool(owner_, child);
}

bool IsToolTipTextRequest(const NMHDR& header) {
    return header.code == TTN_NEEDTEXTA || header.code == TTN_NEEDTEXTW;
}

bool ToolTipRequestByWindow(const NMHDR& header) {
    // The two forms differ in the size of their text buffer, so uFlags lies elsewhere.
    const UINT flags = header.code == TTN_NEEDTEXTW ? reinterpret_cast<const NMTTDISPINFOW&>(header).uFlags
                                                    : reinterpret_cast<const NMTTDISPINFOA&>(header).uFlags;
    return (flags & TTF_IDISHWND) != 0;
}

int ToolTipRequestControlId(const NMHDR& header) {
    if (ToolTipRequestByWindow(header)) return ::GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom));
    return static_cast<int>(header.idFrom);
}

void AnswerToolTipRequest(NMHDR& header, const char* text) {
    if (!text) text = "";
    if (header.code == TTN_NEEDTEXTW) {
        auto& request = reinterpret_cast<NMTTDISPINFOW&>(header);
        const int length = static_cast<int>(sizeof(request.szText) / sizeof(request.szText[0]));
        if (::MultiByteToWideChar(CP_ACP, 0, text, -1, request.szText, length) == 0) request.szText[length - 1] = L'\0';
        request.lpszText = request.szText;
        request.hinst = nullptr;
    } else {
        auto& request = reinterpret_cast<NMTTDISPINFOA&>(header);
        CopyText(request.szText, text);
        request.lpszText = request.szText;
        request.hinst = nullptr;
    }
}

}  // namespace ostrivan
