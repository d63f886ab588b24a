#include "driving/WindowSearch.h"

namespace driving {

namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The system's copy of the text: no WM_GETTEXT reaches the window.
bool ShowsText(HWND window, const std::wstring& expected) {
    wchar_t text[1024] = {};
    ::InternalGetWindowText(window, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    return expected == text;
}

struct Search {
    const WindowQuery* query;
    bool all;
    std::vector<HWND> found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!search->query->Matches(window)) return TRUE;
    search->found.push_back(window);
    return search->all ? TRUE : FALSE;
}

}  // namespace

WindowQuery& WindowQuery::Within(HWND parent) {
    within_ = true;
    parent_ = parent;
    return *this;
}

WindowQuery& WindowQuery::OfClass(const std::string& name) {
    className_ = name;
    return *this;
}

WindowQuery& WindowQuery::Titled(const std::string& title) {
    title_ = Wide(title);
    return *this;
}

WindowQuery& WindowQuery::OfProcess(DWORD processId) {
    processId_ = processId;
    return *this;
}

WindowQuery& WindowQuery::OfThread(DWORD threadId) {
    threadId_ = threadId;
    return *this;
}

WindowQuery& WindowQuery::OnThreadOf(HWND window) {
    threadId_ = window ? ::GetWindowThreadProcessId(window, nullptr) : 0;
    // A window that is not there runs on no thread: nothing matches.
    threadOfMissingWindow_ = threadId_ == 0;
    return *this;
}

WindowQuery& WindowQuery::OwnedBy(HWND owner) {
    owner_ = Owner::By;
    ownerWindow_ = owner;
    return *this;
}

WindowQuery& WindowQuery::Owned() {
    owner_ = Owner::Some;
    return *this;
}

WindowQuery& WindowQuery::WithId(int controlId) {
    id_ = controlId;
    return *this;
}

WindowQuery& WindowQuery::Holding(int controlId) {
    holding_.push_back(controlId);
    return *this;
}

WindowQuery& WindowQuery::HoldingText(int controlId, const std::string& text) {
    holdingText_.emplace_back(controlId, Wide(text));
    return *this;
}

WindowQuery& WindowQuery::Enabled() {
    enabled_ = true;
    return *this;
}

WindowQuery& WindowQuery::EvenHidden() {
    evenHidden_ = true;
    return *this;
}

WindowQuery& WindowQuery::Where(std::function<bool(HWND)> test) {
    tests_.push_back(std::move(test));
    return *this;
}

bool WindowQuery::Matches(HWND window) const {
    if (!window || !::IsWindow(window) || threadOfMissingWindow_) return false;
    if (!evenHidden_ && !::IsWindowVisible(window)) return false;
    if (enabled_ && !::IsWindowEnabled(window)) return false;
    if (processId_ || threadId_) {
        DWORD processId = 0;
        const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
        if ((processId_ && processId != processId_) || (threadId_ && threadId != threadId_)) return false;
    }
    if (owner_ != Owner::Any) {
        HWND owner = ::GetWindow(window, GW_OWNER);
        if (owner_ == Owner::By ? owner != ownerWindow_ : owner == nullptr) return false;
    }
    if (id_ && ::GetDlgCtrlID(window) != *id_) return false;
    if (className_) {
        char name[256] = {};
        if (!::GetClassNameA(window, name, sizeof(name)) || ::lstrcmpiA(name, className_->c_str()) != 0) return false;
    }
    if (title_ && !ShowsText(window, *title_)) return false;
    for (int id : holding_) {
        if (!::GetDlgItem(window, id)) return false;
    }
    for (const auto& [id, text] : holdingText_) {
        HWND control = ::GetDlgItem(window, id);
        if (!control || !ShowsText(control, text)) return false;
    }
    for (const auto& test : tests_) {
        if (!test(window)) return false;
    }
    return true;
}

std::vector<HWND> WindowQuery::Collect(bool all) const {
    Search search{this, all, {}};
    if (!within_) {
        ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    } else if (parent_ && ::IsWindow(parent_)) {
        ::EnumChildWindows(parent_, Visit, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

HWND WindowQuery::Find() const {
    std::vector<HWND> found = Collect(false);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> WindowQuery::FindAll() const { return Collect(true); }

}  // namespace driving
