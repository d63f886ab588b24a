// ChildToolTips: tool tips for the child windows of one window, held by the
// windows that have such tips. Each child is a tool named by its window
// (TTF_IDISHWND); the tool-tip control asks the owner window for the text
// with TTN_NEEDTEXT, which the owner answers in its WM_NOTIFY handler with
// the request helpers below.
//
// The control is made with the first tool, so a window without children has
// none, and it goes with its owner window (an owned popup). A window that is
// made again starts without tips.
//
// Error rule: Enable, Add and EnableAfterShow return false when the control
// or a tool cannot be made, or the timer cannot be set; nothing throws.
#pragma once

#include "framework/Controls.h"

#include <vector>

namespace ostrivan {

class ChildToolTips {
public:
    ChildToolTips() = default;
    ~ChildToolTips();
    ChildToolTips(const ChildToolTips&) = delete;
    ChildToolTips& operator=(const ChildToolTips&) = delete;

    // Tools for the owner's children present now; later ones through Add.
    bool Enable(HWND owner);
    bool Add(HWND child);
    // The same for the children present now, done from a timer once the
    // owner's first showing has been painted (the system delivers WM_TIMER
    // only when nothing else waits on the thread): no tip is seen before the
    // mouse rests on a child. False when the timer cannot be set, or tips are
    // on or on their way already.
    bool EnableAfterShow(HWND owner);

private:
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    // Forgets the state of an owner window that is gone.
    void FollowOwner(HWND owner);
    void CancelPending();
    UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }

    HWND owner_ = nullptr;
    bool enabled_ = false;
    bool pending_ = false;
    std::vector<HWND> pendingTools_;  // children whose tools EnableAfterShow adds
    ToolTip tip_;
};

// Tool-tip text requests (TTN_NEEDTEXT, ANSI or wide), for the WM_NOTIFY
// handlers of windows with tool tips.
bool IsToolTipTextRequest(const NMHDR& header);
// Whether the request names its tool by window (TTF_IDISHWND) rather than by id.
bool ToolTipRequestByWindow(const NMHDR& header);
// The control id a request is about, whether the tool is identified by
// window or by id.
int ToolTipRequestControlId(const NMHDR& header);
// Answers a request with a copy of text, cut to the request's own buffer.
void AnswerToolTipRequest(NMHDR& header, const char* text);

}  // namespace ostrivan
