// Finding windows of any thread or process by what they are: class, title,
// process, thread, owner, control id, the controls they hold.
//
//   WindowQuery  what a window must be, and where to look: the top-level
//                windows (the default) or the descendants of one window
//   AnyWindow()  a query for visible windows, narrowed by its setters
//
// A search never waits (WindowWaits.h does) and reports nothing found as
// null or an empty list; a query looking within a null or destroyed window
// finds nothing. Only visible windows match unless EvenHidden says so.
// Matching sends no message to the windows looked at (titles are read from
// the system's own copy), so a window whose thread is busy does not hold a
// search up; only a test given to Where may.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace driving {

class WindowQuery {
public:
    // Looks among the descendants of parent instead of the top-level windows.
    WindowQuery& Within(HWND parent);
    WindowQuery& OfClass(const std::string& name);  // without regard to case
    WindowQuery& Titled(const std::string& title);  // exactly, in the system code page
    WindowQuery& OfProcess(DWORD processId);
    WindowQuery& OfThread(DWORD threadId);
    WindowQuery& OnThreadOf(HWND window);  // the thread that runs that window
    WindowQuery& OwnedBy(HWND owner);      // null: windows that have no owner
    WindowQuery& Owned();                  // by any window
    WindowQuery& WithId(int controlId);
    WindowQuery& Holding(int controlId);   // a child with that id
    // A child with that id showing exactly that text.
    WindowQuery& HoldingText(int controlId, const std::string& text);
    WindowQuery& Enabled();
    WindowQuery& EvenHidden();
    WindowQuery& Where(std::function<bool(HWND)> test);

    [[nodiscard]] bool Matches(HWND window) const;
    // The first match in the system's order (top of the z-order first for
    // top-level windows, depth first for descendants), or null.
    [[nodiscard]] HWND Find() const;
    [[nodiscard]] std::vector<HWND> FindAll() const;

private:
    std::vector<HWND> Collect(bool all) const;

    bool within_ = false;
    HWND parent_ = nullptr;
    std::optional<std::string> className_;
    std::optional<std::wstring> title_;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    bool threadOfMissingWindow_ = false;
    enum class Owner { Any, By, Some } owner_ = Owner::Any;
    HWND ownerWindow_ = nullptr;
    std::optional<int> id_;
    std::vector<int> holding_;
    std::vector<std::pair<int, std::wstring>> holdingText_;
    bool enabled_ = false;
    bool evenHidden_ = false;
    std::vector<std::function<bool(HWND)>> tests_;
};

inline WindowQuery AnyWindow() { return WindowQuery(); }

}  // namespace driving
