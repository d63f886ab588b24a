// How messages reach handlers: commands and default processing, bound
// controls, generic windows, owner-drawn menus, timers, registered messages,
// messages from other threads and tool-tip text requests.
#include "FrameworkTest.h"
#include "framework/ChildToolTips.h"
#include "driving/HangLimit.h"
#include "driving/Pump.h"
#include "driving/WindowSearch.h"
#include "framework/Controls.h"
#include "framework/Menu.h"
#include "framework/MessageLoop.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

using namespace ostrivan;
using namespace frameworktest;

namespace {

// A bound control that records what reaches it.
class RecordingControl : public Window {
public:
    std::vector<UINT> seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP) seen.push_back(message);
        return Window::WindowProc(message, wParam, lParam);
    }
};

TEST_F(FrameworkTest, CommandsReachTheHandlerByIdAndCodeThenDefaultProcessing) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(dialog.Create(nullptr));
    ::SendMessageA(::GetDlgItem(dialog.hwnd(), IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    ::SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_CHANGE), 0);
    EXPECT_TRUE(dialog.SawCommand(IDC_TEST_BUTTON, BN_CLICKED));
    EXPECT_TRUE(dialog.SawCommand(IDC_TEST_EDIT, EN_CHANGE));
    EXPECT_FALSE(dialog.SawCommand(IDC_TEST_BUTTON, EN_CHANGE));
    // A message the class does not take is the dialog manager's.
    LRESULT defaultId = ::SendMessageA(dialog.hwnd(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(defaultId));
    EXPECT_EQ(IDOK, LOWORD(defaultId));
}

TEST_F(FrameworkTest, BoundControlReceivesItsMessagesUntilEitherSideGoes) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    RecordingControl control;
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(control.BindControl(dialog.hwnd(), IDC_TEST_BUTTON));
    HWND button = ::GetDlgItem(dialog.hwnd(), IDC_TEST_BUTTON);
    EXPECT_EQ(&control, Window::FromHandle(button));
    EXPECT_FALSE(RecordingControl().Subclass(button)) << "one object per window";
    ::SendMessageA(button, WM_APP + 3, 0, 0);
    EXPECT_EQ(std::vector<UINT>{WM_APP + 3}, control.seen);
    // The control still behaves as a button.
    ::SetWindowTextA(button, "Renamed");
    char text[32] = {};
    ::GetWindowTextA(button, text, sizeof(text));
    EXPECT_STREQ("Renamed", text);
    // Window gone first: the object is unlinked, not destroyed.
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, control.hwnd());
    EXPECT_EQ(nullptr, dialog.hwnd());

    // Object gone first: the window keeps working without it.
    ScriptedDialog second(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(second.Create(nullptr));
    HWND secondButton = ::GetDlgItem(second.hwnd(), IDC_TEST_BUTTON);
    {
        RecordingControl shortLived;
        ASSERT_TRUE(shortLived.BindControl(second.hwnd(), IDC_TEST_BUTTON));
    }
    EXPECT_EQ(nullptr, Window::FromHandle(secondButton));
    EXPECT_TRUE(::IsWindow(secondButton));
    ::SendMessageA(secondButton, WM_APP + 4, 0, 0);
}

class GenericChild : public Window {
public:
    bool created = false;
    int paints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE: return OnCreate();
        case WM_PAINT: return OnPaint();
        }
        return Window::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnCreate() {
        created = true;
        return 0;
    }
    LRESULT OnPaint() {
        ++paints;
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd(), &ps);
        ::EndPaint(hwnd(), &ps);
        return 0;
    }
};

TEST_F(FrameworkTest, GenericChildOfARegisteredClassIsLinkedFromCreationAndOwned) {
    ASSERT_TRUE(Window::RegisterWindowClass("FrameworkTestChild", CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr));
    ASSERT_TRUE(Window::RegisterWindowClass("FrameworkTestChild", CS_DBLCLKS, nullptr, nullptr)) << "again is harmless";
    ScriptedDialog parent(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(parent.Create(nullptr));
    HWND childWindow = nullptr;
    {
        GenericChild child;
        RECT rect{5, 5, 105, 55};
        ASSERT_TRUE(child.CreateEx(0, "FrameworkTestChild", "", WS_CHILD | WS_VISIBLE, rect, parent.hwnd(), 300));
        childWindow = child.hwnd();
        EXPECT_TRUE(child.created);
        EXPECT_EQ(childWindow, ::GetDlgItem(parent.hwnd(), 300));
        ::ShowWindow(parent.hwnd(), SW_SHOW);
        ::UpdateWindow(parent.hwnd());
        EXPECT_GE(child.paints, 1);
    }
    EXPECT_FALSE(::IsWindow(childWindow)) << "an owned window goes with its object";
}

// Two threads that open their first windows at once both register the
// class; whichever comes second finds it registered, and that is success.
TEST_F(FrameworkTest, RegisteringAClassFromTwoThreadsAtOnceSucceedsOnBoth) {
    for (int round = 0; round < 200; ++round) {
        const std::string name = "FrameworkTestRace" + std::to_string(round);
        std::atomic<int> ready{0};
        bool registered[2] = {false, false};
        auto registerIt = [&](int index) {
            ++ready;
            while (ready.load() < 2) {
            }
            registered[index] = Window::RegisterWindowClass(name.c_str(), 0, nullptr, nullptr);
        };
        std::thread first(registerIt, 0);
        std::thread second(registerIt, 1);
        first.join();
        second.join();
        ASSERT_TRUE(registered[0] && registered[1]) << "round " << round;
    }
}

// A handler of a framework window counts as framework code on the stack,
// as the framework's loops do: nothing of it may be deleted meanwhile.
TEST_F(FrameworkTest, AHandlerThatRunsCountsAsFrameworkOnTheStack) {
    ASSERT_TRUE(Window::RegisterWindowClass("FrameworkTestDepth", 0, nullptr, nullptr));
    class Probe : public Window {
    public:
        bool seenInside = false;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_APP) seenInside = MessageLoop::FrameworkOnStack();
            return Window::WindowProc(message, wParam, lParam);
        }
    } probe;
    ASSERT_TRUE(probe.CreateEx(0, "FrameworkTestDepth", "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    EXPECT_FALSE(MessageLoop::FrameworkOnStack());
    ::SendMessageA(probe.hwnd(), WM_APP, 0, 0);
    EXPECT_TRUE(probe.seenInside);
    EXPECT_FALSE(MessageLoop::FrameworkOnStack());
}

class CountingMenu : public Menu {
public:
    int measured = 0;
    int drawn = 0;
    void MeasureItem(MEASUREITEMSTRUCT& item) override {
        ++measured;
        item.itemWidth = 123;
    }
    void DrawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
};

TEST_F(FrameworkTest, MenuMeasureAndDrawRequestsReachTheMenuObject) {
    ScriptedDialog owner(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(owner.Create(nullptr));
    CountingMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    ASSERT_TRUE(::AppendMenuA(menu.handle(), MF_OWNERDRAW, 4711, nullptr));
    EXPECT_EQ(&menu, Menu::FromHandle(menu.handle()));
    EXPECT_EQ(&menu, Menu::FindByCommand(4711));
    EXPECT_EQ(nullptr, Menu::FindByCommand(4712));

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 4711, 0, 0, 0};
    EXPECT_TRUE(::SendMessageA(owner.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(123u, measure.itemWidth);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 4711;
    draw.hwndItem = reinterpret_cast<HWND>(menu.handle());
    EXPECT_TRUE(::SendMessageA(owner.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(1, menu.measured);
    EXPECT_EQ(1, menu.drawn);

    // Requests for control items are not the menu's.
    MEASUREITEMSTRUCT control{ODT_LISTBOX, 5, 4711, 0, 0, 0};
    ::SendMessageA(owner.hwnd(), WM_MEASUREITEM, 5, reinterpret_cast<LPARAM>(&control));
    EXPECT_EQ(1, menu.measured);
    menu.Destroy();
    EXPECT_EQ(nullptr, Menu::FindByCommand(4711));
}

TEST_F(FrameworkTest, TimerMessagesReachTheirWindow) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    std::vector<UINT_PTR> ticks;
    dialog.handlers[WM_TIMER] = [&](WPARAM id, LPARAM) {
        ticks.push_back(id);
        if (ticks.size() == 3) {
            dialog.KillTimer(id);
            dialog.EndDialog(static_cast<INT_PTR>(id));
        }
        return LRESULT{0};
    };
    dialog.onInit = [](ScriptedDialog& self) { ASSERT_TRUE(self.SetTimer(7, 10)); };
    EXPECT_EQ(7, dialog.DoModal(nullptr));
    EXPECT_EQ((std::vector<UINT_PTR>{7, 7, 7}), ticks);
}

TEST_F(FrameworkTest, RegisteredMessageSentFromAnotherThreadIsHandledOnTheWindowsThread) {
    const UINT registered = ::RegisterWindowMessageA("WM_FRAMEWORK_TEST_PING");
    ASSERT_NE(0u, registered);
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    DWORD handlerThread = 0;
    dialog.handlers[registered] = [&](WPARAM wParam, LPARAM lParam) {
        handlerThread = ::GetCurrentThreadId();
        return static_cast<LRESULT>(wParam + lParam);
    };
    std::thread sender;
    std::atomic<LRESULT> answer{0};
    dialog.onInit = [&](ScriptedDialog& self) {
        HWND window = self.hwnd();
        sender = std::thread([&answer, window, registered] {
            answer = ::SendMessageA(window, registered, 40, 2);
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    sender.join();
    EXPECT_EQ(42, answer.load());
    EXPECT_EQ(dialog.initThread, handlerThread);
    EXPECT_NE(0u, handlerThread);
}

// The tool-tip control a window's tool tips use: the one it owns.
HWND ToolTipsOwnedBy(HWND owner) {
    return driving::AnyWindow()
        .OfThread(::GetCurrentThreadId())
        .OfClass(TOOLTIPS_CLASSA)
        .OwnedBy(owner)
        .EvenHidden()
        .Find();
}

TEST_F(FrameworkTest, AHandlerSeesItsOwnMessageAlsoWhenAnotherNestsInsideIt) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    const UINT outer = WM_APP + 1;
    const UINT inner = WM_APP + 2;
    std::vector<std::pair<UINT, WPARAM>> seen;
    dialog.handlers[inner] = [&](WPARAM, LPARAM) {
        seen.emplace_back(dialog.CurrentMessage().id, dialog.CurrentMessage().wParam);
        return LRESULT{0};
    };
    dialog.handlers[outer] = [&](WPARAM, LPARAM) {
        seen.emplace_back(dialog.CurrentMessage().id, dialog.CurrentMessage().wParam);
        ::SendMessageA(dialog.hwnd(), inner, 22, 0);
        seen.emplace_back(dialog.CurrentMessage().id, dialog.CurrentMessage().wParam);
        return LRESULT{0};
    };
    ASSERT_TRUE(dialog.Create(nullptr));
    ::SendMessageA(dialog.hwnd(), outer, 11, 0);
    const std::vector<std::pair<UINT, WPARAM>> expected{{outer, 11}, {inner, 22}, {outer, 11}};
    EXPECT_EQ(expected, seen);
    dialog.DestroyWindow();
}

TEST_F(FrameworkTest, DefaultHandlingRunsTheDefaultForTheMessageBeingHandled) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    std::string before;
    std::string after;
    dialog.handlers[WM_SETTEXT] = [&](WPARAM, LPARAM) {
        char text[64] = {};
        ::GetWindowTextA(dialog.hwnd(), text, sizeof(text));
        before = text;
        LRESULT result = dialog.DefaultHandling();
        ::GetWindowTextA(dialog.hwnd(), text, sizeof(text));
        after = text;
        return result;
    };
    ASSERT_TRUE(dialog.Create(nullptr));
    ::SetWindowTextA(dialog.hwnd(), "first");
    ::SetWindowTextA(dialog.hwnd(), "second");
    EXPECT_EQ("first", before);
    EXPECT_EQ("second", after);
    dialog.DestroyWindow();
}

TEST_F(FrameworkTest, ChildToolTipsStartAfreshForAWindowMadeAgain) {
    ChildToolTips tips;
    for (int round = 0; round < 2; ++round) {
        ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(tips.Enable(dialog.hwnd())) << "round " << round;
        HWND control = ToolTipsOwnedBy(dialog.hwnd());
        ASSERT_NE(nullptr, control) << "round " << round;
        int children = 0;
        for (HWND child = ::GetWindow(dialog.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (child != control) ++children;
        }
        EXPECT_EQ(children, static_cast<int>(::SendMessageA(control, TTM_GETTOOLCOUNT, 0, 0))) << "round " << round;
        dialog.DestroyWindow();
        EXPECT_FALSE(::IsWindow(control)) << "the control goes with its owner";
    }
}

TEST_F(FrameworkTest, ToolTipRequestNamesTheControlByWindowOrById) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(dialog.Create(nullptr));
    NMTTDISPINFOA byWindow{};
    byWindow.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog.hwnd(), IDC_TEST_BUTTON));
    byWindow.hdr.code = TTN_NEEDTEXTA;
    byWindow.uFlags = TTF_IDISHWND;
    EXPECT_EQ(IDC_TEST_BUTTON, ToolTipRequestControlId(byWindow.hdr));
    NMTTDISPINFOA byId{};
    byId.hdr.idFrom = 69;
    byId.hdr.code = TTN_NEEDTEXTA;
    EXPECT_EQ(69, ToolTipRequestControlId(byId.hdr));
}

TEST_F(FrameworkTest, ToolTipsAskTheParentForTheTextOfAChildByWindow) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    ChildToolTips tips;
    std::vector<int> asked;
    dialog.handlers[WM_NOTIFY] = [&](WPARAM, LPARAM lParam) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTA) {
            asked.push_back(ToolTipRequestControlId(*header));
            reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>("Tip");
            if (asked.size() == 1) ::PostMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return LRESULT{TRUE};
        }
        return LRESULT{0};
    };
    dialog.handlers[WM_TIMER] = [&](WPARAM, LPARAM) {
        dialog.EndDialog(-2);  // no request came
        return LRESULT{0};
    };
    dialog.onInit = [&](ScriptedDialog& self) {
        ASSERT_TRUE(tips.Enable(self.hwnd()));
        ::ShowWindow(self.hwnd(), SW_SHOW);
        ::UpdateWindow(self.hwnd());
        // Hover the action button: the tip asks for its text after its delay.
        HWND button = ::GetDlgItem(self.hwnd(), IDC_TEST_BUTTON);
        RECT r;
        ::GetWindowRect(button, &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::SetCursorPos(centre.x, centre.y);
        ::ScreenToClient(button, &centre);
        ::PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        self.SetTimer(1, 10000);
    };
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(IDC_TEST_BUTTON, asked.front());
}


TEST_F(FrameworkTest, ToolTipsAfterShowComeOnceTheWindowIsPaintedForTheChildrenOfTheRequest) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(dialog.Create(nullptr));
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    ASSERT_GE(children.size(), 3u);
    ChildToolTips tips;
    ASSERT_TRUE(tips.EnableAfterShow(dialog.hwnd()));
    EXPECT_FALSE(tips.EnableAfterShow(dialog.hwnd())) << "once";
    HWND late = ::CreateWindowExA(0, "STATIC", "late", WS_CHILD | WS_VISIBLE, 0, 60, 50, 14, dialog.hwnd(), nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, late);
    HWND gone = ::GetDlgItem(dialog.hwnd(), IDC_TEST_EDIT);
    ::DestroyWindow(gone);
    ::ShowWindow(dialog.hwnd(), SW_SHOW);
    EXPECT_EQ(nullptr, ToolTipsOwnedBy(dialog.hwnd())) << "none while the window is on its way to the screen";
    ASSERT_TRUE(::GetUpdateRect(dialog.hwnd(), nullptr, FALSE));

    ASSERT_TRUE(driving::PumpUntil([&] { return ToolTipsOwnedBy(dialog.hwnd()) != nullptr; }, driving::kHangLimitMs,
                                   MessageLoop::PumpPending));
    EXPECT_FALSE(::GetUpdateRect(dialog.hwnd(), nullptr, FALSE)) << "painted before the tips came";
    HWND control = ToolTipsOwnedBy(dialog.hwnd());
    std::vector<HWND> covered;
    const int count = static_cast<int>(::SendMessageA(control, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        ASSERT_TRUE(::SendMessageA(control, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(dialog.hwnd(), tool.hwnd) << "the window is asked for the text";
        EXPECT_TRUE(tool.uFlags & TTF_IDISHWND);
        covered.push_back(reinterpret_cast<HWND>(tool.uId));
    }
    children.erase(std::find(children.begin(), children.end(), gone));
    EXPECT_EQ(children, covered) << "the children of the request that are still there, and no other";
    // Switched on now, tool tips are on at once, and only once.
    EXPECT_FALSE(tips.EnableAfterShow(dialog.hwnd()));
}

}  // namespace
