#include "support/DialogDriver.h"

#include "support/TestConsole.h"

#include "framework/MessageLoop.h"

#include <vector>

namespace testsupport {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;  // the text control of a message box

bool IsDialogClass(HWND window) {
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return std::string(name) == "#32770";
}

struct BoxSearch {
    DWORD thread;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    if (search->thread && ::GetWindowThreadProcessId(window, nullptr) != search->thread) return TRUE;
    if (!::IsWindowVisible(window) || !IsDialogClass(window) || !::GetDlgItem(window, kMessageBoxTextId)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM parameter) {
    auto* icon = reinterpret_cast<HICON*>(parameter);
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
    *icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
}

}  // namespace

HWND WaitForTitledWindow(const std::string& title, DWORD ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = ::FindWindowA(nullptr, title.c_str());
            return found && ::IsWindowVisible(found);
        },
        ms);
    return found && ::IsWindowVisible(found) ? found : nullptr;
}

namespace {
struct WindowSearch {
    const std::function<bool(HWND)>* match;
    HWND found;
};
BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if ((*search->match)(window)) search->found = window;
    return search->found ? FALSE : TRUE;
}
}  // namespace

HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& match) {
    WindowSearch search{&match, nullptr};
    ::EnumThreadWindows(thread, VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsOfClass(HWND window, const char* className) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, className) == 0;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > ms) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        (void)ostrivan::MessageLoop::PumpPending();
    }
    return true;
}

bool WaitUntilGone(HWND window, DWORD ms) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, ms);
}

void TypeText(HWND dialog, int controlId, const std::string& text) {
    HWND control = ::GetDlgItem(dialog, controlId);
    if (text.empty()) return;
    int count = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> characters(static_cast<size_t>(count));
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), characters.data(), count);
    for (wchar_t c : characters) ::SendMessageW(control, WM_CHAR, c, 1);
}

void PressButton(HWND dialog, int controlId) { ::PostMessageA(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0); }

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    text[sizeof(text) - 1] = '\0';
    return text;
}

std::string ControlText(HWND dialog, int controlId) { return WindowText(::GetDlgItem(dialog, controlId)); }

HWND FocusedControl(HWND window) {
    // The window's thread first finishes what it is doing (a sent message
    // waits until it asks for messages again).
    ::SendMessageA(window, WM_NULL, 0, 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool WaitForMessageBox(HWND owner, SeenMessageBox* seen, DWORD ms) {
    BoxSearch search{owner ? ::GetWindowThreadProcessId(owner, nullptr) : 0, nullptr};
    bool found = WaitUntil(
        [&] {
            search.found = nullptr;
            if (search.thread) {
                ::EnumThreadWindows(search.thread, FindBox, reinterpret_cast<LPARAM>(&search));
            } else {
                ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            }
            return search.found != nullptr;
        },
        ms);
    if (!found) return false;
    seen->window = search.found;
    seen->caption = WindowText(search.found);
    seen->text = ControlText(search.found, kMessageBoxTextId);
    seen->icon = nullptr;
    ::EnumChildWindows(search.found, FindIcon, reinterpret_cast<LPARAM>(&seen->icon));
    return true;
}

bool AnswerMessageBox(const SeenMessageBox& box, int button) {
    PressButton(box.window, button);
    return WaitUntil([&] { return !::IsWindow(box.window); }, kDialogHangLimitMs);
}

ModalThread::ModalThread(std::function<INT_PTR()> run) : run_(std::move(run)) {
    thread_ = ::CreateThread(nullptr, 0, Main, this, 0, nullptr);
}

ModalThread::~ModalThread() {
    Join();
    if (thread_) ::CloseHandle(thread_);
}

bool ModalThread::Join(DWORD ms) { return thread_ && ::WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0; }

DWORD WINAPI ModalThread::Main(void* self) {
    auto* run = static_cast<ModalThread*>(self);
    run->result_ = run->run_();
    return 0;
}

}  // namespace testsupport
