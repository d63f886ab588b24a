// press_button <window title> <control id> [<title to wait for>]
//
// Clicks a button of a running top-level window, as a user would, from a
// process of its own; with a third argument, ends once a visible window of
// that title is there (for screenshots of a dialog the click opens).
// Exit code 0 on success, 1 when the window, the button or the awaited
// window is not found in time, 2 on bad arguments.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr DWORD kHangLimitMs = 30000;

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (::GetDlgCtrlID(window) != search->id || !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

template <typename Predicate>
bool WaitFor(Predicate predicate) {
    for (DWORD start = ::GetTickCount(); !predicate(); ::Sleep(50)) {
        if (::GetTickCount() - start > kHangLimitMs) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) return 2;
    Search search{std::atoi(argv[2]), nullptr};
    HWND top = nullptr;
    bool found = WaitFor([&] {
        top = ::FindWindowA(nullptr, argv[1]);
        if (top) ::EnumChildWindows(top, FindControl, reinterpret_cast<LPARAM>(&search));
        return search.found && ::IsWindowEnabled(search.found);
    });
    if (!found) return 1;
    ::PostMessageA(search.found, BM_CLICK, 0, 0);
    if (argc == 3) return 0;
    return WaitFor([&] {
               HWND opened = ::FindWindowA(nullptr, argv[3]);
               return opened && ::IsWindowVisible(opened);
           })
               ? 0
               : 1;
}
