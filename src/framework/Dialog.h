// Dialog: a window built from a numbered dialog template of the current
// resource source (ResourceSource()).
//
//   class OptionsDialog : public Dialog {
//   public:
//       OptionsDialog() : Dialog(IDD_OPTIONS, EnterEscape::Keep) {}
//   protected:
//       LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
//           switch (message) {
//           case WM_INITDIALOG: return OnInitDialog();
//           case WM_COMMAND: if (OnCommand(CommandOf(wParam, lParam))) return 0; break;
//           }
//           return Dialog::WindowProc(message, wParam, lParam);
//       }
//   };
//
// Modal: DoModal(owner) creates the dialog hidden, disables the owner's
// top-level window, shows the dialog and runs the framework's own message
// loop (see MessageLoop.h: every message first goes through the
// pre-translation chain) until EndDialog(result); then the owner is enabled
// again, the window destroyed and the result returned. A dialog that ends
// itself while it initialises returns its result without being shown.
// Modeless: Create(parent) creates the dialog (a child when its template says
// WS_CHILD) and registers it with the thread's loop; EndDialog destroys it.
// Default processing ends a dialog with IDOK or IDCANCEL when those buttons
// are clicked (Enter, Escape or WM_CLOSE lead there through the dialog
// manager) unless the class handles them itself.
//
// Error rule: Create returns false and DoModal -1 when the template or the
// window cannot be made.
#pragma once

#include "framework/Window.h"

namespace ostrivan {

class Dialog : public Window {
public:
    // Whether Enter and Escape key-downs are swallowed before dialog processing.
    enum class EnterEscape { Keep, Swallow };
    // The class the system gives every dialog box, message boxes among them.
    static constexpr const char* kSystemClassName = "#32770";

    explicit Dialog(UINT templateId, EnterEscape keys = EnterEscape::Keep) : templateId_(templateId), keys_(keys) {}

    [[nodiscard]] bool Create(HWND parent);
    INT_PTR DoModal(HWND owner);
    // Ends a modal run with this result, or destroys a modeless dialog.
    void EndDialog(INT_PTR result);

    bool PreTranslateMessage(MSG& message) override;
    Dialog* AsDialog() override { return this; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND parent, bool hidden);

    UINT templateId_;
    EnterEscape keys_;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

}  // namespace ostrivan
