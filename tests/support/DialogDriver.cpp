#include "support/DialogDriver.h"

#include "driving/Press.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"

#include <vector>

namespace testsupport {

HWND WaitForTitledWindow(const std::string& title, DWORD ms) {
    return driving::WaitForWindow(driving::AnyWindow().Titled(title), ms);
}

void TypeText(HWND dialog, int controlId, const std::string& text) {
    HWND control = ::GetDlgItem(dialog, controlId);
    if (text.empty()) return;
    int count = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> characters(static_cast<size_t>(count));
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), characters.data(), count);
    for (wchar_t c : characters) ::SendMessageW(control, WM_CHAR, c, 1);
}

void PressButton(HWND dialog, int controlId) { (void)driving::Press(::GetDlgItem(dialog, controlId)); }

HWND FocusedControl(HWND window) {
    // The window's thread first finishes what it is doing (a sent message
    // waits until it asks for messages again).
    ::SendMessageA(window, WM_NULL, 0, 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
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
