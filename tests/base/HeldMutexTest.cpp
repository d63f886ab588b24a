// A held mutex is released, not merely closed, when its guard goes: another
// thread then takes it cleanly instead of as abandoned or not at all.
#include "base/Threads.h"
#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace ostrivan;

namespace {

struct Probe {
    HANDLE mutex;
    DWORD result;
};

// Tries the mutex from a thread of its own and gives it back when it got it.
unsigned __stdcall TryMutex(void* parameter) {
    auto* probe = static_cast<Probe*>(parameter);
    probe->result = ::WaitForSingleObject(probe->mutex, 0);
    if (probe->result == WAIT_OBJECT_0 || probe->result == WAIT_ABANDONED) ::ReleaseMutex(probe->mutex);
    return 0;
}

DWORD TryFromAnotherThread(HANDLE mutex) {
    Probe probe{mutex, WAIT_FAILED};
    UniqueHandle thread = StartThread(TryMutex, &probe);
    EXPECT_TRUE(thread);
    if (!thread) return WAIT_FAILED;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread.get(), driving::kHangLimitMs));
    return probe.result;
}

}  // namespace

TEST(HeldMutex, ReleasesTheMutexWhenItGoesAndLeavesTheHandleOpen) {
    UniqueHandle mutex(::CreateMutexA(nullptr, TRUE, nullptr));
    ASSERT_TRUE(mutex);
    {
        HeldMutex held(mutex.get());
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), TryFromAnotherThread(mutex.get()));
    }
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), TryFromAnotherThread(mutex.get()));
}

TEST(HeldMutex, AnEmptyGuardReleasesNothing) {
    UniqueHandle mutex(::CreateMutexA(nullptr, TRUE, nullptr));
    ASSERT_TRUE(mutex);
    { HeldMutex empty; }
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), TryFromAnotherThread(mutex.get()));
    ::ReleaseMutex(mutex.get());
}
