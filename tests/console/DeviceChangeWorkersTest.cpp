// The console window's device-change workers, driven from a plain window of
// this thread in place of the console: a list reaches the window only under
// the number of a job that handed it over, and only once; a stop ends the
// workers it can reach and leaves one held inside a camera driver to end on
// its own.
#include "ResourceIds.h"
#include "console/DeviceChangeWorkers.h"
#include "devices/BindGate.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "support/FullQueue.h"
#include "support/Stopwatch.h"
#include "support/ThreadCount.h"
#include "support/VirtualCameraFixture.h"

#include <string>
#include <vector>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;

namespace {

constexpr int kCamera = 1;
constexpr const char* kName = "Camera A";
// Room for a loaded machine on top of the stop's own wait.
constexpr double kStopAllowanceMs = 2000;

using List = std::vector<std::string>;

class DeviceChangeHandOver : public VirtualCameraBed {
protected:
    void SetUp() override {
        VirtualCameraBed::SetUp();
        PlugStandardCamera(kCamera, kName);
        window_ = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        mutex_.reset(::CreateMutexA(nullptr, FALSE, nullptr));
        ASSERT_TRUE(window_ && mutex_);
        threadsBefore_ = ThreadCount();
        ASSERT_GT(threadsBefore_, 0);
    }
    void TearDown() override {
        workers_.StopAll();
        if (window_) ::DestroyWindow(window_);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        VirtualCameraBed::TearDown();
    }

    // The number under which a worker handed a list over next; 0 when none came.
    uintptr_t NextHandOver() { return static_cast<uintptr_t>(NextPosted(kMsgDeviceListReady)); }
    // Whether a worker reported the camera it was given as reachable.
    bool ReportedReachable() { return NextPosted(kMsgDeviceReachable) != kNothing; }
    // Threads started since SetUp and not yet ended: the workers.
    int Running() const { return ThreadCount() - threadsBefore_; }
    bool AllEnded() {
        return WaitUntil([&] { return Running() <= 0; }, kHangLimitMs);
    }

    HWND window_ = nullptr;
    UniqueHandle mutex_;
    DeviceChangeWorkers workers_;
    int threadsBefore_ = 0;

private:
    static constexpr LPARAM kNothing = -1;
    LPARAM NextPosted(UINT number) {
        LPARAM posted = kNothing;
        MSG message;
        // Nothing posted in time reads as 0, which the caller checks.
        (void)WaitUntil(
            [&] {
                if (!::PeekMessageA(&message, window_, number, number, PM_REMOVE)) return false;
                posted = message.lParam;
                return true;
            },
            kHangLimitMs);
        return posted == kNothing ? 0 : posted;
    }
};

TEST_F(DeviceChangeHandOver, AListIsTakenOnceUnderItsOwnNumber) {
    ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
    const uintptr_t id = NextHandOver();
    ASSERT_NE(0u, id);

    List list{"before"};
    EXPECT_FALSE(workers_.TakeList(id + 1, &list)) << "the next number was never handed over";
    EXPECT_EQ(List{"before"}, list);
    // Not taken yet: a report would let the worker go on without a camera.
    workers_.Applied(id, "");
    ASSERT_TRUE(workers_.TakeList(id, &list));
    EXPECT_EQ(List{kName}, list);
    EXPECT_FALSE(workers_.TakeList(id, &list)) << "a list is taken once";
    EXPECT_EQ(List{kName}, list);

    workers_.Applied(id, kName);
    EXPECT_TRUE(ReportedReachable()) << "the worker did not open the camera that the window named";
    EXPECT_TRUE(AllEnded());
    EXPECT_FALSE(workers_.TakeList(id, &list));
}

TEST_F(DeviceChangeHandOver, NothingIsTakenFromAWorkerWaitingForItsTurn) {
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(mutex_.get(), 0));
    HeldMutex turn(mutex_.get());
    ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
    EXPECT_TRUE(workers_.Start(window_, mutex_.get())) << "the waiting worker takes this one over";
    EXPECT_EQ(1, Running());
    List list;
    for (uintptr_t id = 0; id <= 3; ++id) EXPECT_FALSE(workers_.TakeList(id, &list)) << "number " << id;

    turn.reset();
    const uintptr_t id = NextHandOver();
    ASSERT_NE(0u, id);
    EXPECT_TRUE(workers_.TakeList(id, &list));
    workers_.Applied(id, "");
    EXPECT_TRUE(AllEnded());
}

TEST_F(DeviceChangeHandOver, NothingIsTakenFromAWorkerWhoseHandOverFailed) {
    FullQueue full(window_, kMsgDeviceListReady);
    ASSERT_TRUE(full.active());
    ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
    LPARAM id = 0;
    ASSERT_TRUE(full.WaitForRefusal(kHangLimitMs, &id));
    // The worker lives on, past its failed post.
    ASSERT_TRUE(full.WaitUntilStopped(kHangLimitMs));
    List list{"before"};
    EXPECT_FALSE(workers_.TakeList(static_cast<uintptr_t>(id), &list)) << "a post that failed handed nothing over";
    EXPECT_EQ(List{"before"}, list);
    full.Resume();
    EXPECT_TRUE(AllEnded());
    EXPECT_FALSE(workers_.TakeList(static_cast<uintptr_t>(id), &list));
}

TEST_F(DeviceChangeHandOver, StopEndsAWaitingWorkerAndLaterNotificationsStartAgain) {
    {
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(mutex_.get(), 0));
        HeldMutex turn(mutex_.get());
        ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
        const double start = NowMs();
        workers_.StopAll();
        EXPECT_LT(NowMs() - start, DeviceChangeWorkers::kStopWaitMs) << "the waiting worker did not end at the stop";
    }
    ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
    const uintptr_t id = NextHandOver();
    ASSERT_NE(0u, id);
    List list;
    EXPECT_TRUE(workers_.TakeList(id, &list));
    EXPECT_EQ(List{kName}, list);
    workers_.Applied(id, "");
    EXPECT_TRUE(AllEnded());
}

TEST_F(DeviceChangeHandOver, StopLeavesAWorkerHeldInACameraBindToEndOnItsOwn) {
    ASSERT_TRUE(testbed::SetCameraBehaviour(kCamera, testbed::kHoldBackgroundBinds));
    testbed::BindGate gate(kCamera);
    ASSERT_TRUE(gate.valid());
    ASSERT_TRUE(workers_.Start(window_, mutex_.get()));
    const uintptr_t id = NextHandOver();
    List list;
    ASSERT_TRUE(workers_.TakeList(id, &list));
    workers_.Applied(id, kName);
    ASSERT_TRUE(WaitUntil([] { return testbed::ReadBindCounts(kCamera).nowInBackground == 1; }, kHangLimitMs))
        << "the worker never bound the camera";
    const int threadsWhileHeld = ThreadCount();

    const double start = NowMs();
    workers_.StopAll();
    const double stopping = NowMs() - start;
    EXPECT_LT(stopping, DeviceChangeWorkers::kStopWaitMs + kStopAllowanceMs) << "the stop waited for the driver";
    EXPECT_EQ(1u, testbed::ReadBindCounts(kCamera).nowInBackground) << "the gate is still closed";

    gate.Open();
    EXPECT_TRUE(WaitUntil([] { return testbed::ReadBindCounts(kCamera).nowInBackground == 0; }, kHangLimitMs))
        << "the worker kept the camera";
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() < threadsWhileHeld; }, kHangLimitMs)) << "the worker never ended";
    EXPECT_TRUE(WaitUntil([&] { return LiveObjects() == 0; }, kHangLimitMs));
}

}  // namespace
