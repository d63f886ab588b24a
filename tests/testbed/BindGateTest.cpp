// A camera that holds the binds of threads showing no window, as a driver
// that does not answer a program's background work: such a bind is alive,
// in the background, and waits until the test opens the camera's bind gate;
// a thread showing a window passes. A process that ends while its bind is
// held no longer holds the camera.
#include "RealCameraFixture.h"
#include "devices/BindGate.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "support/Stopwatch.h"

#include <atomic>
#include <string>

using namespace driving;

namespace {

using testsupport::RealCameraTest;

DWORD NowInBackground() { return testbed::ReadBindCounts(RealCameraTest::kCamera).nowInBackground; }

// Binds the camera on a thread of its own, which shows no window.
class BindingThread {
public:
    BindingThread() : thread_(::CreateThread(nullptr, 0, Main, this, 0, nullptr)) {}
    ~BindingThread() { Join(kHangLimitMs); }
    BindingThread(const BindingThread&) = delete;
    BindingThread& operator=(const BindingThread&) = delete;

    bool Join(DWORD ms) { return thread_ && ::WaitForSingleObject(thread_.get(), ms) == WAIT_OBJECT_0; }
    HRESULT result() const { return result_; }

private:
    static DWORD WINAPI Main(void* parameter) {
        auto* self = static_cast<BindingThread*>(parameter);
        if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
        {
            testbed::BareCamera camera;
            self->result_ = camera.Open(RealCameraTest::kName);
        }
        ::CoUninitialize();
        return 0;
    }

    ostrivan::UniqueHandle thread_;
    std::atomic<HRESULT> result_{E_PENDING};
};

class BindGateTest : public RealCameraTest {
protected:
    void SetUp() override {
        RealCameraTest::SetUp();
        // The fixture's own bind, made by this thread, is one in the background.
        ASSERT_EQ(1u, NowInBackground());
        ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kRealCamera | testbed::kHoldBackgroundBinds));
    }
};

TEST_F(BindGateTest, ABackgroundBindWaitsUntilTheGateOpens) {
    testbed::BindGate gate(kCamera);
    ASSERT_TRUE(gate.valid());
    BindingThread background;
    ASSERT_TRUE(driving::WaitUntil([] { return NowInBackground() == 2; }, kHangLimitMs));
    EXPECT_FALSE(background.Join(0)) << "the bind passed a closed gate";

    // A thread that shows a window passes the closed gate.
    HWND shown = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr);
    ASSERT_NE(nullptr, shown);
    {
        const double start = testsupport::NowMs();
        testbed::BareCamera foreground;
        EXPECT_EQ(S_OK, foreground.Open(kName));
        EXPECT_LT(testsupport::NowMs() - start, kHangLimitMs);
        EXPECT_EQ(2u, NowInBackground());
    }
    ::DestroyWindow(shown);

    gate.Open();
    ASSERT_TRUE(background.Join(kHangLimitMs));
    EXPECT_EQ(S_OK, background.result());
    EXPECT_EQ(1u, NowInBackground());
}

TEST_F(BindGateTest, ABindHeldByAProcessThatEndedIsNotAlive) {
    testbed::BindGate gate(kCamera);
    ASSERT_TRUE(gate.valid());
    ostrivan::UniqueHandle tool(
        testsupport::StartProgram(testsupport::ProgramFolder() + "camtestbed.exe property 1 procamp 0 get"));
    ASSERT_TRUE(tool);
    EXPECT_TRUE(driving::WaitUntil([] { return NowInBackground() == 2; }, kHangLimitMs))
        << "the other program's bind was not held";
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(tool.get(), 0));
    ::TerminateProcess(tool.get(), 1);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(tool.get(), kHangLimitMs));

    const testbed::BindCounts counts = testbed::ReadBindCounts(kCamera);
    EXPECT_EQ(1u, counts.nowInBackground) << "the ended process still holds the camera";
    EXPECT_EQ(1u, counts.now);
    EXPECT_EQ(2u, counts.mostInBackground);
}

}  // namespace
