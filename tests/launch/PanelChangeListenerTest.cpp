// Panels listening on their named events, across the two kinds of console.
#include "launch/KernelObjectNames.h"
#include "launch/PanelChangeListener.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

using namespace ostrivan;

namespace {

// Counts peer changes and lets the test wait for the next one.
class CountingListener : public PanelChangeListener {
public:
    CountingListener() : changed_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~CountingListener() override {
        Stop();
        ::CloseHandle(changed_);
    }
    uint32_t OnPeerChange(uint32_t reason, uint32_t param) override {
        lastReason = reason;
        lastParam = param;
        ++count;
        ::SetEvent(changed_);
        return 0;
    }
    bool WaitForChange(DWORD ms) { return ::WaitForSingleObject(changed_, ms) == WAIT_OBJECT_0; }

    std::atomic<int> count{0};
    std::atomic<uint32_t> lastReason{99};
    std::atomic<uint32_t> lastParam{0};

private:
    HANDLE changed_;
};

void Signal(const std::string& name) {
    HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    ASSERT_NE(nullptr, event) << name;
    ::SetEvent(event);
    ::CloseHandle(event);
}

const char* kTitle = "Zest! View Panel";

TEST(PanelChangeListener, BuildsBothNamesFromTheTitle) {
    CountingListener listener;
    EXPECT_EQ(PanelChangeListener::kNotCreated, listener.mode());
    ASSERT_TRUE(listener.Create(PanelChangeListener::kStandalone, kTitle));
    EXPECT_STREQ("XC0730 Standalone Console Event Zest! View Panel", listener.standaloneNameForTesting());
    EXPECT_STREQ("XC0730 Integrated Console Event Zest! View Panel", listener.integratedNameForTesting());
    EXPECT_EQ(PanelChangeListener::kStandalone, listener.mode());
}

TEST(PanelChangeListener, SignalReachesTheListenerWithItsParam) {
    CountingListener listener;
    ASSERT_TRUE(listener.Create(PanelChangeListener::kStandalone, kTitle));
    ASSERT_TRUE(listener.Start(42));
    Signal(listener.standaloneNameForTesting());
    ASSERT_TRUE(listener.WaitForChange(10000));
    EXPECT_EQ(0u, listener.lastReason.load());
    EXPECT_EQ(42u, listener.lastParam.load());
    Signal(listener.standaloneNameForTesting());
    ASSERT_TRUE(listener.WaitForChange(10000));
    EXPECT_EQ(2, listener.count.load());
}

TEST(PanelChangeListener, KindsDoNotHearEachOther) {
    CountingListener integrated;
    ASSERT_TRUE(integrated.Create(PanelChangeListener::kIntegrated, kTitle));
    ASSERT_TRUE(integrated.Start(0));
    CountingListener standalone;
    ASSERT_TRUE(standalone.Create(PanelChangeListener::kStandalone, kTitle));
    ASSERT_TRUE(standalone.Start(0));

    Signal(standalone.standaloneNameForTesting());
    ASSERT_TRUE(standalone.WaitForChange(10000));
    // The integrated listener is proven alive by its own signal arriving,
    // and counts only that one.
    Signal(integrated.integratedNameForTesting());
    ASSERT_TRUE(integrated.WaitForChange(10000));
    EXPECT_EQ(1, integrated.count.load());
    EXPECT_EQ(1, standalone.count.load());
}

TEST(PanelChangeListener, SecondListenerOfTheSameNameAndKindFails) {
    CountingListener first;
    ASSERT_TRUE(first.Create(PanelChangeListener::kIntegrated, kTitle));
    CountingListener second;
    EXPECT_FALSE(second.Create(PanelChangeListener::kIntegrated, kTitle));
    EXPECT_FALSE(second.Start(0));
    CountingListener otherKind;
    EXPECT_TRUE(otherKind.Create(PanelChangeListener::kStandalone, kTitle));
}

TEST(PanelChangeListener, UnknownModeCreatesNothing) {
    CountingListener listener;
    EXPECT_FALSE(listener.Create(PanelChangeListener::kNotCreated, kTitle));
    EXPECT_FALSE(listener.Start(0));
    HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, listener.standaloneNameForTesting());
    EXPECT_EQ(nullptr, event);
    if (event) ::CloseHandle(event);
}

TEST(PanelChangeListener, StopEndsTheThreadAndNothingArrivesAfterwards) {
    auto listener = std::make_unique<CountingListener>();
    ASSERT_TRUE(listener->Create(PanelChangeListener::kStandalone, kTitle));
    ASSERT_TRUE(listener->Start(0));
    listener->Stop();
    std::string name = listener->standaloneNameForTesting();
    Signal(name);
    EXPECT_FALSE(listener->WaitForChange(200));
    EXPECT_EQ(0, listener->count.load());
    listener.reset();
    // Destruction released the name: a new listener can take it.
    CountingListener next;
    EXPECT_TRUE(next.Create(PanelChangeListener::kStandalone, kTitle));
}

}  // namespace
