// Modal and modeless runs: results, Enter and Escape, the pre-translation
// chain, messages from other threads, and nothing left behind.
#include "FrameworkTest.h"
#include "framework/ChildToolTips.h"
#include "driving/HangLimit.h"
#include "framework/MessageLoop.h"

#include <thread>

using namespace ostrivan;
using namespace frameworktest;

namespace {

constexpr UINT kEndWith = WM_APP + 1;   // wParam: the result
constexpr INT_PTR kStillOpen = 77;

// Ends the run with wParam when the message is handled.
void EndOnRequest(ScriptedDialog& dialog) {
    dialog.handlers[kEndWith] = [&dialog](WPARAM wParam, LPARAM) {
        dialog.EndDialog(static_cast<INT_PTR>(wParam));
        return LRESULT{0};
    };
}

TEST_F(FrameworkTest, ModalRunEndsWithItsResultAndRestoresTheOwner) {
    ScriptedDialog owner(IDD_TEST_OK_CANCEL);
    ASSERT_TRUE(owner.Create(nullptr));
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    bool ownerDisabledDuringRun = false;
    dialog.handlers[kEndWith] = [&](WPARAM wParam, LPARAM) {
        ownerDisabledDuringRun = !::IsWindowEnabled(owner.hwnd());
        dialog.EndDialog(static_cast<INT_PTR>(wParam));
        return LRESULT{0};
    };
    dialog.onInit = [](ScriptedDialog& self) { ::PostMessageA(self.hwnd(), kEndWith, 42, 0); };
    EXPECT_EQ(42, dialog.DoModal(owner.hwnd()));
    EXPECT_TRUE(ownerDisabledDuringRun);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(nullptr, dialog.hwnd());
    // The same object runs again, as the console's dialogs do.
    EXPECT_EQ(42, dialog.DoModal(owner.hwnd()));
}

TEST_F(FrameworkTest, DialogEndingWhileItInitialisesReturnsItsResultUnseen) {
    for (UINT templateId : {IDD_TEST_OK_CANCEL, IDD_TEST_VISIBLE}) {
        ScriptedDialog dialog(templateId);
        bool shown = false;
        dialog.handlers[WM_SHOWWINDOW] = [&](WPARAM show, LPARAM) {
            shown = shown || show != FALSE;
            return LRESULT{0};
        };
        dialog.onInit = [](ScriptedDialog& self) { self.EndDialog(7); };
        EXPECT_EQ(7, dialog.DoModal(nullptr)) << "template " << templateId;
        EXPECT_FALSE(shown) << "template " << templateId;
        EXPECT_EQ(nullptr, dialog.hwnd());
    }
}

TEST_F(FrameworkTest, ModalRunFromAChildDisablesItsTopLevelWindow) {
    ScriptedDialog top(IDD_TEST_OK_CANCEL);
    ScriptedDialog child(IDD_TEST_CHILD);
    ASSERT_TRUE(top.Create(nullptr));
    ASSERT_TRUE(child.Create(top.hwnd()));
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    bool topDisabled = false;
    dialog.handlers[kEndWith] = [&](WPARAM wParam, LPARAM) {
        topDisabled = !::IsWindowEnabled(top.hwnd());
        dialog.EndDialog(static_cast<INT_PTR>(wParam));
        return LRESULT{0};
    };
    dialog.onInit = [](ScriptedDialog& self) { ::PostMessageA(self.hwnd(), kEndWith, 3, 0); };
    EXPECT_EQ(3, dialog.DoModal(child.hwnd()));
    EXPECT_TRUE(topDisabled) << "the window under the dialog must not take input, nor be closable";
    EXPECT_TRUE(::IsWindowEnabled(top.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(child.hwnd()));
    top.DestroyWindow();
}

TEST_F(FrameworkTest, ModalRunWithoutTemplateOrSourceFails) {
    ScriptedDialog missing(4242);
    EXPECT_EQ(-1, missing.DoModal(nullptr));
    SetResourceSource(nullptr);
    ScriptedDialog noSource(IDD_TEST_OK_CANCEL);
    EXPECT_EQ(-1, noSource.DoModal(nullptr));
}

struct KeyCase {
    Dialog::EnterEscape keys;
    WPARAM key;
    INT_PTR expected;
};

TEST_F(FrameworkTest, EnterAndEscapeEndOnlyDialogsThatKeepThem) {
    const KeyCase cases[] = {
        {Dialog::EnterEscape::Keep, VK_RETURN, IDOK},
        {Dialog::EnterEscape::Keep, VK_ESCAPE, IDCANCEL},
        {Dialog::EnterEscape::Swallow, VK_RETURN, kStillOpen},
        {Dialog::EnterEscape::Swallow, VK_ESCAPE, kStillOpen},
    };
    for (const KeyCase& c : cases) {
        ScriptedDialog dialog(IDD_TEST_OK_CANCEL, c.keys);
        EndOnRequest(dialog);
        dialog.onInit = [&](ScriptedDialog& self) {
            HWND edit = ::GetDlgItem(self.hwnd(), IDC_TEST_EDIT);
            ::SetFocus(edit);
            ::PostMessageA(edit, WM_KEYDOWN, c.key, 1);
            ::PostMessageA(self.hwnd(), kEndWith, kStillOpen, 0);
        };
        EXPECT_EQ(c.expected, dialog.DoModal(nullptr)) << "key " << c.key;
    }
}

TEST_F(FrameworkTest, ChildDialogSwallowsKeysBeforeItsParentSeesThem) {
    for (auto childKeys : {Dialog::EnterEscape::Swallow, Dialog::EnterEscape::Keep}) {
        ScriptedDialog parent(IDD_TEST_OK_CANCEL, Dialog::EnterEscape::Keep);
        ScriptedDialog child(IDD_TEST_CHILD, childKeys);
        EndOnRequest(parent);
        parent.onInit = [&](ScriptedDialog& self) {
            ASSERT_TRUE(child.Create(self.hwnd()));
            HWND edit = ::GetDlgItem(child.hwnd(), IDC_TEST_CHILD_EDIT);
            ::SetFocus(edit);
            ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
            ::PostMessageA(self.hwnd(), kEndWith, kStillOpen, 0);
        };
        INT_PTR expected = childKeys == Dialog::EnterEscape::Swallow ? kStillOpen : IDOK;
        EXPECT_EQ(expected, parent.DoModal(nullptr));
        EXPECT_EQ(nullptr, child.hwnd());  // destroyed with its parent
    }
}

TEST_F(FrameworkTest, CloseFromAnotherThreadEndsTheModalRun) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    EndOnRequest(dialog);
    std::thread closer;
    HANDLE runEnded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    dialog.onInit = [&](ScriptedDialog& self) {
        HWND window = self.hwnd();
        closer = std::thread([window, runEnded] {
            // A sent message is handled inside GetMessage; the run must still notice.
            ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            // When the run hangs: end it with a result the test rejects.
            if (::WaitForSingleObject(runEnded, driving::kHangLimitMs) != WAIT_OBJECT_0 && ::IsWindow(window)) {
                ::PostMessageA(window, kEndWith, 99, 0);
            }
        });
    };
    INT_PTR result = dialog.DoModal(nullptr);
    ::SetEvent(runEnded);
    closer.join();
    ::CloseHandle(runEnded);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(FrameworkTest, WmCloseEndsADialogThroughCancel) {
    ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
    dialog.onInit = [](ScriptedDialog& self) { ::PostMessageA(self.hwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr));
    EXPECT_TRUE(dialog.SawCommand(IDCANCEL, BN_CLICKED));
}

TEST_F(FrameworkTest, ModelessDialogIsPreTranslatedInsideAHostsOwnLoop) {
    for (auto keys : {Dialog::EnterEscape::Swallow, Dialog::EnterEscape::Keep}) {
        ScriptedDialog dialog(IDD_TEST_OK_CANCEL, keys);
        bool stop = false;
        dialog.handlers[kEndWith] = [&](WPARAM, LPARAM) {
            stop = true;
            return LRESULT{0};
        };
        ASSERT_TRUE(dialog.Create(nullptr));
        HWND window = dialog.hwnd();
        HWND edit = ::GetDlgItem(window, IDC_TEST_EDIT);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageA(window, kEndWith, 0, 0);
        // A host's loop: no pre-translation, no dialog processing of its own.
        MSG message;
        while (!stop && ::IsWindow(window) && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (keys == Dialog::EnterEscape::Swallow) {
            EXPECT_TRUE(::IsWindow(window));
            EXPECT_FALSE(dialog.SawCommand(IDCANCEL, BN_CLICKED));
        } else {
            // Escape became Cancel, which ends (destroys) a modeless dialog.
            EXPECT_FALSE(::IsWindow(window));
            EXPECT_EQ(nullptr, dialog.hwnd());
        }
        MessageLoop::PumpPending();
    }
}

TEST_F(FrameworkTest, WindowsAreAllReleasedAfterAHundredRuns) {
    int windowsBefore = CountThreadWindows();
    for (int run = 0; run < 100; ++run) {
        ScriptedDialog dialog(IDD_TEST_OK_CANCEL);
        ScriptedDialog child(IDD_TEST_CHILD, Dialog::EnterEscape::Swallow);
        ChildToolTips tips;
        dialog.onInit = [&](ScriptedDialog& self) {
            ASSERT_TRUE(child.Create(self.hwnd()));
            ASSERT_TRUE(tips.Enable(self.hwnd()));
            ::PostMessageA(self.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        };
        ASSERT_EQ(IDOK, dialog.DoModal(nullptr));
    }
    MessageLoop::PumpPending();
    EXPECT_EQ(windowsBefore, CountThreadWindows());
}

}  // namespace
