#include "driving/MessageBoxes.h"

#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowText.h"

namespace driving {

WindowQuery MessageBoxes() { return AnyWindow().OfClass("#32770").Holding(kMessageBoxTextId); }

WindowQuery MessageBoxesSaying(DWORD processId, const std::string& text) {
    return MessageBoxes().OfProcess(processId).HoldingText(kMessageBoxTextId, text);
}

bool ReadMessageBox(HWND box, MessageBoxSeen* seen) {
    if (!MessageBoxes().EvenHidden().Matches(box)) return false;
    seen->window = box;
    seen->caption = WindowText(box);
    seen->text = ControlText(box, kMessageBoxTextId);
    // The icon is the one static control of the icon kind.
    HWND icon = AnyWindow().Within(box).OfClass("Static").EvenHidden().Where([](HWND child) {
        return (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    }).Find();
    seen->icon = icon ? reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0)) : nullptr;
    return true;
}

bool WaitForMessageBox(const WindowQuery& which, MessageBoxSeen* seen, DWORD ms) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = which.Find()) != nullptr; }, ms)) return false;
    return ReadMessageBox(box, seen);
}

bool AnswerMessageBox(HWND box, int button, DWORD ms) {
    if (!Press(::GetDlgItem(box, button))) return false;
    return WaitUntil([&] { return !::IsWindow(box); }, ms);
}

}  // namespace driving
