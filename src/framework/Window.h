// Window: the base of every window object of the console (dialogs, bound
// template controls, generic child windows of registered classes).
//
// How a message reaches a handler:
//   the window's messages go to Window::SubclassProc (a comctl32 window
//   subclass whose reference data is the object), which calls the object's
//   WindowProc. A class overrides WindowProc only, with one line per message
//   that cracks the message's arguments, so that a handler's signature says
//   what its message carries:
//       case WM_SIZE: OnSize(static_cast<UINT>(wParam), SizeOf(lParam)); break;
//       case WM_TIMER: return OnTimer(wParam);
//   A handler that takes the message returns its own result; one that only
//   looks at it returns nothing, and its line ends in break; one that takes
//   it only at times returns bool, and its line returns the message's answer
//   when it did. The last line passes everything else (and what the handlers
//   left) to the base class, and so finally to DefaultProc, the one default
//   layer, which is never overridden. No handler takes the raw arguments to
//   hand them on: the window keeps the message being handled
//   (CurrentMessage), and a handler that needs default processing between
//   its own steps calls DefaultHandling() and says so in its header.
//   Crackers for the arguments follow the class (PointOf, SizeOf, CommandOf,
//   NotifyOf).
//
// Linking: object and window are linked once (WM_NCCREATE for windows of
// registered classes, WM_INITDIALOG for dialogs, Subclass for existing
// controls) and unlinked once, at WM_NCDESTROY or in the destructor, whichever
// comes first. An object never outlives its link, so no message reaches a
// half-destroyed object.
//
// Destruction: ~Window unlinks before it destroys an owned window, so the
// messages of that destruction reach no handler. A class with a WM_DESTROY
// handler for a window it owns therefore calls DestroyWindow() in its own
// destructor, while the whole object still takes its messages.
//
// Error rule: operations that can fail return bool ([[nodiscard]] where the
// result matters); nothing throws.
#pragma once

#include <windows.h>

namespace ostrivan {

class Dialog;

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }
    // The object linked to a window, or null.
    static Window* FromHandle(HWND window);

    // Registers a window class whose windows link to their objects at
    // WM_NCCREATE. Registering an existing name again is harmless.
    static bool RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background);
    // Creates a window of a class registered above, or of any system class
    // (then linked right after creation). The object owns the window.
    [[nodiscard]] bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                                const RECT& rect, HWND parent, UINT id);
    // Binds this object to an existing window, usually a template control,
    // so that it receives that window's messages. Not owned.
    [[nodiscard]] bool Subclass(HWND window);
    // Binds this object to the control with that id in a parent window.
    [[nodiscard]] bool BindControl(HWND parent, int controlId) { return Subclass(::GetDlgItem(parent, controlId)); }
    // Destroys the window (owned or not) and unlinks.
    void DestroyWindow();

    // Pre-translation: called for every message a loop of the framework
    // retrieves whose target is this window or one of its children, before it
    // is dispatched. True swallows the message.
    virtual bool PreTranslateMessage(MSG& message);

    // Timers of this window; their WM_TIMER comes through WindowProc.
    bool SetTimer(UINT_PTR id, UINT periodMs) { return ::SetTimer(hwnd_, id, periodMs, nullptr) != 0; }
    void KillTimer(UINT_PTR id) { ::KillTimer(hwnd_, id); }
    // A timer for work nothing needs before the window is on screen: the
    // system delivers WM_TIMER only when no sent or posted message, input or
    // painting waits on the thread, so it comes after the first showing has
    // been painted. The handler kills it.
    bool SetTimerAfterShow(UINT_PTR id) { return SetTimer(id, USER_TIMER_MINIMUM); }

    // The dialog this object is, or null.
    virtual Dialog* AsDialog() { return nullptr; }

    // How many handlers of the framework's windows run on this thread now:
    // while one does, its object must not be deleted.
    static int HandlerDepth();

protected:

    // The one message procedure a class overrides.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default layer: menu measure and draw requests reach their menu
    // object, dialogs end on OK and Cancel, everything else goes to the
    // window's own procedure (the control's, the dialog manager's or
    // DefWindowProc).
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The message being handled on this window now, the innermost one when
    // handlers nest (a handler that sends a message to its own window).
    struct Message {
        UINT id;
        WPARAM wParam;
        LPARAM lParam;
    };
    // Only inside a handler.
    const Message& CurrentMessage() const { return *current_; }
    // Default processing of the message being handled, for a handler that
    // needs it between its own steps and whose class's bases take no part in
    // that message.
    LRESULT DefaultHandling() { return DefaultProc(current_->id, current_->wParam, current_->lParam); }

    // Links this object to a window; dialogs call it at WM_INITDIALOG.
    bool Link(HWND window, bool owned);
    // Calls WindowProc with the message kept as the current one, counted
    // for HandlerDepth(); every message of a linked window comes this way.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR object);
    static LRESULT CALLBACK CreationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Unlink();


    HWND hwnd_ = nullptr;
    bool owned_ = false;
    // On the dispatching frame's stack; the one outside it is restored after.
    const Message* current_ = nullptr;
};

// Argument crackers for the WindowProc lines: points packed into lParam as
// two signed 16-bit halves, client sizes as two unsigned ones.
inline POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
inline SIZE SizeOf(LPARAM lParam) { return SIZE{LOWORD(lParam), HIWORD(lParam)}; }

// WM_COMMAND's arguments: the id of the control, menu item or accelerator,
// the notification code, and the control (null for menus and accelerators).
struct Command {
    UINT id;
    UINT code;
    HWND control;
};
inline Command CommandOf(WPARAM wParam, LPARAM lParam) {
    return Command{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
}
// WM_NOTIFY's header; the system never sends a null one, a stray post may.
inline NMHDR* NotifyOf(LPARAM lParam) { return reinterpret_cast<NMHDR*>(lParam); }

}  // namespace ostrivan
