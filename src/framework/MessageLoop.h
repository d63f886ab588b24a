// The framework's message loop and pre-translation.
//
// Pre-translation of a retrieved message: the objects of its target window
// and of each parent up to the top-level window get PreTranslateMessage, in
// that order (a dialog may swallow Enter and Escape, a slider relays mouse
// messages to its tool tip); then the top-level dialog's keyboard processing
// (IsDialogMessage) runs. A message taken by either is not dispatched.
//
// Modal runs use Run(). Modeless dialogs register with AddModeless: while one
// is registered on a thread, messages that someone else's loop (a host's)
// retrieves on that thread are pre-translated too, through a WH_GETMESSAGE
// hook; messages of the framework's own loops are never pre-translated twice.
#pragma once

#include <windows.h>

#include <functional>

namespace ostrivan {

class MessageLoop {
public:
    // True when the message was taken and must not be dispatched.
    static bool PreTranslate(MSG& message);
    // Retrieves, pre-translates and dispatches until done() is true. A WM_QUIT
    // ends the run and is posted again for the outer loop; returns false then.
    static bool Run(const std::function<bool()>& done);
    // Handles every message already queued, the same way; false on WM_QUIT.
    static bool PumpPending();

    // Whether anything of the framework runs on this thread now: one of its
    // loops or a handler of one of its windows. Objects may be deleted only
    // when nothing does.
    static bool FrameworkOnStack();

    static void AddModeless(HWND window);
    static void RemoveModeless(HWND window);
};

}  // namespace ostrivan
