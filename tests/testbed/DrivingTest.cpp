// The test bed's window driving: searches by what a window is, without a
// message to the windows looked at; message boxes read and answered on
// other threads; pumping until a state, and giving up at WM_QUIT.
#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"
#include "driving/MessageBoxAnswerer.h"
#include "driving/MessageBoxes.h"
#include "driving/Pump.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

using namespace driving;

namespace {

constexpr int kChildId = 7;

HWND MakeWindow(const char* title, DWORD style, HWND parent = nullptr, int id = 0) {
    return ::CreateWindowExA(0, "STATIC", title, style, 0, 0, 60, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}

class WindowSearch : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = MakeWindow("Driving owner", WS_POPUP | WS_VISIBLE);
        owned_ = MakeWindow("Driving owned", WS_POPUP | WS_VISIBLE, owner_);
        hidden_ = MakeWindow("Driving hidden", WS_POPUP);
        child_ = MakeWindow("Driving child", WS_CHILD | WS_VISIBLE | WS_DISABLED, owner_, kChildId);
        ASSERT_TRUE(owner_ && owned_ && hidden_ && child_);
    }
    void TearDown() override {
        for (HWND window : {owned_, hidden_, owner_}) ::DestroyWindow(window);
    }
    HWND owner_ = nullptr;
    HWND owned_ = nullptr;
    HWND hidden_ = nullptr;
    HWND child_ = nullptr;
};

TEST_F(WindowSearch, FindsTopLevelWindowsByTitleClassProcessThreadAndOwner) {
    EXPECT_EQ(owner_, AnyWindow().Titled("Driving owner").Find());
    EXPECT_EQ(owner_, AnyWindow().Titled("Driving owner").OfClass("static").OfProcess(::GetCurrentProcessId()).Find());
    EXPECT_EQ(owner_, AnyWindow().Titled("Driving owner").OfThread(::GetCurrentThreadId()).Find());
    EXPECT_EQ(nullptr, AnyWindow().Titled("Driving owner").OfClass("Button").Find());
    EXPECT_EQ(nullptr, AnyWindow().Titled("Driving owner").OfProcess(::GetCurrentProcessId() + 4).Find());
    EXPECT_EQ(owned_, AnyWindow().Titled("Driving owned").OwnedBy(owner_).Find());
    EXPECT_EQ(owned_, AnyWindow().Titled("Driving owned").Owned().Find());
    EXPECT_EQ(nullptr, AnyWindow().Titled("Driving owned").OwnedBy(nullptr).Find());
    EXPECT_EQ(owner_, AnyWindow().OnThreadOf(owned_).Holding(kChildId).Find());
    EXPECT_EQ(nullptr, AnyWindow().OnThreadOf(nullptr).Find()) << "a window that is not there runs on no thread";
}

TEST_F(WindowSearch, HiddenWindowsOnlyWhenAskedFor) {
    EXPECT_EQ(nullptr, AnyWindow().Titled("Driving hidden").Find());
    EXPECT_EQ(hidden_, AnyWindow().Titled("Driving hidden").EvenHidden().Find());
}

TEST_F(WindowSearch, FindsDescendantsById) {
    EXPECT_EQ(child_, AnyWindow().Within(owner_).WithId(kChildId).Find());
    EXPECT_EQ(nullptr, AnyWindow().Within(owner_).WithId(kChildId).Enabled().Find()) << "it is disabled";
    EXPECT_EQ(nullptr, AnyWindow().Within(owned_).WithId(kChildId).Find()) << "not a child of that one";
    EXPECT_EQ(nullptr, AnyWindow().Within(nullptr).Find()) << "nothing lies within no window";
    EXPECT_EQ(1u, AnyWindow().Within(owner_).FindAll().size());
}

TEST_F(WindowSearch, AWindowWhoseThreadTakesNoMessagesIsStillFound) {
    // The window's thread waits without taking messages until told to end.
    ostrivan::UniqueHandle release(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ostrivan::UniqueHandle created(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread busy([&] {
        HWND window = MakeWindow("Driving busy", WS_POPUP | WS_VISIBLE);
        ::SetEvent(created.get());
        ::WaitForSingleObject(release.get(), kHangLimitMs);
        ::DestroyWindow(window);
    });
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(created.get(), kHangLimitMs));
    // Searched from a thread of its own, so that a search that waits for the
    // busy thread fails here instead of holding the test.
    std::atomic<HWND> found{nullptr};
    std::atomic<bool> searched{false};
    std::thread search([&] {
        found = AnyWindow().Titled("Driving busy").Find();
        searched = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return searched.load(); })) << "the search waited for the busy window's thread";
    ::SetEvent(release.get());
    search.join();
    busy.join();
    EXPECT_NE(nullptr, found.load());
}

// A message box on a thread of its own; its answer once it has returned.
class BoxThread {
public:
    BoxThread(const char* text, UINT type)
        : thread_([this, text, type] { result_ = ::MessageBoxA(nullptr, text, "Driving", type); }) {}
    ~BoxThread() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    int result() const { return result_; }

private:
    std::atomic<int> result_{0};
    std::thread thread_;
};

TEST(MessageBoxes, AreReadAndAnsweredFromAnotherThread) {
    BoxThread box("Driving asks", MB_YESNO | MB_ICONWARNING);
    MessageBoxSeen seen;
    ASSERT_TRUE(WaitForMessageBox(MessageBoxesSaying(::GetCurrentProcessId(), "Driving asks"), &seen));
    EXPECT_EQ("Driving", seen.caption);
    EXPECT_EQ("Driving asks", seen.text);
    EXPECT_EQ(::LoadIconA(nullptr, IDI_WARNING), seen.icon);
    EXPECT_TRUE(AnswerMessageBox(seen.window, IDNO));
    box.Join();
    EXPECT_EQ(IDNO, box.result());
}

TEST(MessageBoxes, AnAnswererAnswersTheBoxWhenItComes) {
    MessageBoxAnswerer answerer(MessageBoxesSaying(::GetCurrentProcessId(), "Driving tells"), IDOK);
    BoxThread box("Driving tells", MB_OK);
    EXPECT_TRUE(answerer.Join());
    EXPECT_EQ("Driving tells", answerer.seen().text);
    box.Join();
    EXPECT_EQ(IDOK, box.result());
}

TEST(MessageBoxes, AnAnswererThatSawNoBoxReportsIt) {
    // Only the text of a box that never comes: the wait ends at once, at its limit of 0.
    MessageBoxAnswerer answerer(MessageBoxesSaying(::GetCurrentProcessId(), "Driving never says this"), IDOK, 0);
    EXPECT_FALSE(answerer.Join());
}

bool g_timerCame = false;
void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    g_timerCame = true;
}

TEST(Pumping, HandlesTimersUntilTheStateComes) {
    HWND window = MakeWindow("Driving timer", WS_POPUP);
    ASSERT_NE(nullptr, window);
    g_timerCame = false;
    ASSERT_TRUE(::SetTimer(window, 1, USER_TIMER_MINIMUM, OnTimer));
    EXPECT_TRUE(PumpUntil([] { return g_timerCame; }));
    ::DestroyWindow(window);
}

TEST(Pumping, GivesUpAtAQuitAndLeavesItForTheCallersLoop) {
    ::PostQuitMessage(3);
    EXPECT_FALSE(PumpUntil([] { return false; }));
    MSG message{};
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, message.wParam);
}

}  // namespace
