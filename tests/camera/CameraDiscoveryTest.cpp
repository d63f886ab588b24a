// Finding cameras through Wine's real device-installation database, with the
// test bed supplying devices and their device-node status.
#include "camera/CameraDiscovery.h"
#include "camera/CameraList.h"
#include "launch/LaunchContextOwner.h"
#include "support/GuardedBlock.h"
#include "support/TestBedFixture.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <memory>

using namespace ostrivan;

// This program's allocations can be made to fail, as when the process runs
// out of memory: only while a test asks for it. (The compiler cannot see that
// the replaced operators pair malloc with free.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<bool> g_failAllocations{false};
}

void* operator new(size_t size) {
    if (g_failAllocations.load()) throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

namespace {

class FailingAllocations {
public:
    FailingAllocations() { g_failAllocations = true; }
    ~FailingAllocations() { g_failAllocations = false; }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

class FindCamerasTest : public testsupport::CameraTestBed {
protected:
    uint32_t Find() {
        context_ = std::make_unique<LaunchContext>();
        return FindCameras(context_.get());
    }
    std::unique_ptr<LaunchContext> context_;
};

TEST_F(FindCamerasTest, NoDeviceGivesNoCamera) {
    EXPECT_EQ(kStatusNoCamera, Find());
    EXPECT_EQ(0u, context_->deviceCount);
}

TEST_F(FindCamerasTest, ListsSupportedCameraWithLoadedDriver) {
    AddCamera(1, "XC0730 Web Camera");
    ASSERT_EQ(kStatusOk, Find());
    ASSERT_EQ(1u, context_->deviceCount);
    EXPECT_STREQ("XC0730 Web Camera", context_->deviceNames[0]);
    EXPECT_STREQ("", context_->deviceNames[1]);
}

TEST_F(FindCamerasTest, CameraWithoutLoadedDriverIsNotListed) {
    AddCamera(1, "Sleeping camera", /*driverLoaded=*/false);
    EXPECT_EQ(kStatusNoCamera, Find());
    EXPECT_EQ(0u, context_->deviceCount);

    testbed::SetDriverLoaded(InstanceId(1), true);
    EXPECT_EQ(kStatusOk, Find());
}

struct HardwareIdCase {
    const char* name;
    std::vector<std::string> ids;
    bool listed;
};

class HardwareIdRules : public FindCamerasTest, public ::testing::WithParamInterface<HardwareIdCase> {};

TEST_P(HardwareIdRules, DecidesWhetherTheDeviceIsListed) {
    AddDevice(1, "Candidate", GetParam().ids);
    EXPECT_EQ(GetParam().listed ? kStatusOk : kStatusNoCamera, Find());
    EXPECT_EQ(GetParam().listed ? 1u : 0u, context_->deviceCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HardwareIdRules,
    ::testing::Values(
        HardwareIdCase{"FirstString", {"USB\\VID_F9E2&PID_7A31&MI_00"}, true},
        HardwareIdCase{"SecondString", {"USB\\VID_F9E2&PID_7A31&REV_0100&MI_00", "USB\\VID_F9E2&PID_7A31&MI_00"}, true},
        HardwareIdCase{"OtherLetterCase", {"usb\\vid_f9e2&pid_7a31&mi_00"}, true},
        HardwareIdCase{"TextAfterComma", {"USB\\VID_F9E2&PID_7A31&MI_00,extra"}, true},
        HardwareIdCase{"CommaBeforeTheId", {"prefix,USB\\VID_F9E2&PID_7A31&MI_00"}, true},
        HardwareIdCase{"IdAmidCommas", {"other", "a,b,USB\\VID_F9E2&PID_7A31&MI_00,c"}, true},
        HardwareIdCase{"NoPieceMatches", {"a,USB\\VID_F9E2&PID_7A31,MI_00"}, false},
        HardwareIdCase{"OtherInterface", {"USB\\VID_F9E2&PID_7A31&MI_01"}, false},
        HardwareIdCase{"LongerId", {"USB\\VID_F9E2&PID_7A31&MI_000"}, false},
        HardwareIdCase{"OtherModel", {"USB\\VID_046D&PID_0825&MI_00"}, false}),
    [](const ::testing::TestParamInfo<HardwareIdCase>& info) { return std::string(info.param.name); });

TEST_F(FindCamerasTest, ElevenCamerasGiveTen) {
    for (int i = 0; i < 11; ++i) AddCamera(i, "Camera " + std::to_string(i));
    ASSERT_EQ(kStatusOk, Find());
    EXPECT_EQ(10u, context_->deviceCount);
    for (uint32_t i = 0; i < 10; ++i) EXPECT_STRNE("", context_->deviceNames[i]) << i;
}

TEST_F(FindCamerasTest, LongDescriptionIsCutTo127Characters) {
    std::string longName(200, 'd');
    AddCamera(1, longName);
    ASSERT_EQ(kStatusOk, Find());
    EXPECT_EQ(longName.substr(0, 127), std::string(context_->deviceNames[0]));
}

TEST_F(FindCamerasTest, IdListLongerThanTheBufferIsCutNotOverrun) {
    // 300 bytes of IDs: the supported one begins past the 259 bytes offered.
    AddDevice(1, "Late ID", {testbed::kCameraHardwareId});
    std::string bytes(280, 'X');
    bytes += '\0';
    bytes += testbed::kCameraHardwareId;
    bytes += std::string(2, '\0');
    ASSERT_TRUE(testbed::SetHardwareIdBytes(InstanceId(1), bytes));
    EXPECT_EQ(kStatusNoCamera, Find());
}

TEST_F(FindCamerasTest, RefreshCameraListReturnsDescriptionsInOrder) {
    CameraList list;
    EXPECT_TRUE(list.RefreshCameraList().empty());
    AddCamera(1, "First");
    AddCamera(2, "Second");
    const auto& names = list.RefreshCameraList();
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ("First", names[0]);
    EXPECT_EQ("Second", names[1]);
}

// The walk over a hardware-ID list stops at the buffer's end even when the
// list has no terminator there: the byte after the buffer is a guard page.
TEST(HardwareIdListMatches, UnterminatedListIsReadOnlyWithinItsSize) {
    testsupport::GuardedBlock buffer(259);
    std::memset(buffer.data(), 'A', 259);
    EXPECT_FALSE(HardwareIdListMatches(buffer.data(), 259));

    const char* id = testbed::kCameraHardwareId;
    size_t length = std::strlen(id);
    std::memcpy(buffer.data() + 259 - length, id, length);  // ID at the very end, no NUL
    buffer.data()[259 - length - 1] = '\0';
    EXPECT_TRUE(HardwareIdListMatches(buffer.data(), 259));
}

TEST(HardwareIdListMatches, EmptyAndNullListsMatchNothing) {
    EXPECT_FALSE(HardwareIdListMatches(nullptr, 10));
    char empty[2] = {0, 0};
    EXPECT_FALSE(HardwareIdListMatches(empty, sizeof(empty)));
}

// The camera list is refreshed on device-change worker threads, where an
// escaping exception would end the process: no memory gives the empty list.
TEST_F(FindCamerasTest, NoMemoryGivesTheEmptyListInsteadOfAnException) {
    AddCamera(1, "XC0730 Web Camera");
    CameraList list;
    ASSERT_EQ(1u, list.RefreshCameraList().size());
    bool threw = false;
    size_t listed = 99;
    {
        FailingAllocations failing;
        try {
            listed = list.RefreshCameraList().size();
        } catch (...) {
            threw = true;
        }
    }
    EXPECT_FALSE(threw);
    EXPECT_EQ(0u, listed);
    EXPECT_EQ(1u, list.RefreshCameraList().size()) << "memory back: the camera is found again";

    ASSERT_EQ(kStatusOk, Find());
    threw = false;
    listed = 99;
    {
        FailingAllocations failing;
        try {
            listed = FoundDevices(*context_).size();
        } catch (...) {
            threw = true;
        }
    }
    EXPECT_FALSE(threw);
    EXPECT_EQ(0u, listed);
}

}  // namespace
