// The host command dispatcher: statuses, block writes and refusals of bad
// blocks and instances, through real memory protections.
#include "ResourceIds.h"
#include "console/IntegratedConsole.h"
#include "driving/Pump.h"
#include "entry/EntryPoints.h"
#include "launch/KernelObjectNames.h"
#include "skin/ResourceLibrary.h"
#include "support/GuardedBlock.h"
#include "support/HostBlocks.h"
#include "support/NamedObjectProbe.h"
#include "support/SeamOverride.h"
#include "support/TestBedFixture.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>

using namespace ostrivan;
using testsupport::MutexExists;
using testsupport::GuardedBlock;
using testsupport::CreateBlock;
using testsupport::OpenBlock;
using testsupport::kCreateBlockSize;
using testsupport::kCreateHandleOffset;
using testsupport::kOpenBlockSize;

namespace {

constexpr uint32_t kSentinel = 0xCDCDCDCD;

uint32_t Word(const char* block, size_t index) {
    uint32_t value;
    std::memcpy(&value, block + index * 4, 4);
    return value;
}

class HostDispatcher : public testsupport::CameraTestBed {
protected:
    // A live instance for commands that need one.
    HostInstance* CreateValidInstance(const char* argument = "XC0730 Web Camera") {
        CreateBlock block(argument);
        EXPECT_EQ(kStatusOk, ksCVWEntryPoint(nullptr, kCreateInstance, block.bytes));
        return static_cast<HostInstance*>(block.instance());
    }
    static uint32_t Destroy(HostInstance* instance) {
        uint32_t word = 0;
        return ksCVWEntryPoint(instance, kDestroyInstance, &word);
    }
};

enum class InstanceKind { kNone, kValid, kWrongMagic, kUnreadable };
enum class Access { kReadWrite, kReadOnly, kNoAccess };

struct DispatchCase {
    const char* name;
    uint32_t command;
    size_t blockSize;
    Access access;
    InstanceKind instance;
    uint32_t status;
};

class DispatchTable : public HostDispatcher, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTable, AnswersWithTheStatusAndWritesOnlyWhereAllowed) {
    const DispatchCase& c = GetParam();
    AddCamera(1, "XC0730 Web Camera");

    HostInstance* valid = c.instance == InstanceKind::kValid ? CreateValidInstance() : nullptr;
    GuardedBlock wrongMagic(sizeof(HostInstance));
    std::memset(wrongMagic.data(), 0, sizeof(HostInstance));
    GuardedBlock unreadable(sizeof(HostInstance));
    unreadable.Protect(PAGE_NOACCESS);
    void* instance = nullptr;
    switch (c.instance) {
    case InstanceKind::kNone: break;
    case InstanceKind::kValid: instance = valid; break;
    case InstanceKind::kWrongMagic: instance = wrongMagic.data(); break;
    case InstanceKind::kUnreadable: instance = unreadable.data(); break;
    }

    GuardedBlock block(c.blockSize);
    std::memset(block.data(), 0xCD, c.blockSize);
    if (c.command == kOpenIntegratedConsole) {
        uint32_t size = kOpenBlockSize - 1;
        std::memcpy(block.data() + 4, &size, 4);
    }
    if (c.access == Access::kReadOnly) block.Protect(PAGE_READONLY);
    if (c.access == Access::kNoAccess) block.Protect(PAGE_NOACCESS);

    EXPECT_EQ(c.status, ksCVWEntryPoint(instance, c.command, block.data()));

    block.Protect(PAGE_READWRITE);
    if (c.access == Access::kReadWrite && c.blockSize >= 4) {
        EXPECT_EQ(c.status, Word(block.data(), 0)) << "status word";
    } else {
        EXPECT_EQ(kSentinel, Word(block.data(), 0)) << "nothing may be written";
    }
    if (valid) {
        EXPECT_EQ(kStatusOk, Destroy(valid));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchTable,
    ::testing::Values(
        DispatchCase{"VersionShortBlock", kQueryVersion, 4, Access::kReadWrite, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"VersionReadOnlyBlock", kQueryVersion, 8, Access::kReadOnly, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"VersionUnreadableBlock", kQueryVersion, 8, Access::kNoAccess, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"InfoShortBlock", kQueryInfo, 211, Access::kReadWrite, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"InfoReadOnlyBlock", kQueryInfo, 212, Access::kReadOnly, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"CreateShortBlock", kCreateInstance, kCreateBlockSize - 1, Access::kReadWrite, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"CreateReadOnlyBlock", kCreateInstance, kCreateBlockSize, Access::kReadOnly, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"Command1405", 0x1405, 136, Access::kReadWrite, InstanceKind::kValid, kStatusUnsupported},
        DispatchCase{"Command1406", 0x1406, 136, Access::kReadWrite, InstanceKind::kValid, kStatusUnsupported},
        DispatchCase{"Command1407", 0x1407, 8, Access::kReadWrite, InstanceKind::kValid, kStatusUnsupported},
        DispatchCase{"Command1405ShortBlock", 0x1405, 135, Access::kReadWrite, InstanceKind::kValid, kStatusBadArgument},
        DispatchCase{"Command1405WithoutInstance", 0x1405, 136, Access::kReadWrite, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"UnknownLowCommand", 0x1400, 4, Access::kReadWrite, InstanceKind::kNone, kStatusUnsupported},
        DispatchCase{"UnknownHighCommand", 0x140A, 4, Access::kReadWrite, InstanceKind::kValid, kStatusUnsupported},
        DispatchCase{"DestroyWrongMagic", kDestroyInstance, 4, Access::kReadWrite, InstanceKind::kWrongMagic, kStatusBadArgument},
        DispatchCase{"DestroyUnreadableInstance", kDestroyInstance, 4, Access::kReadWrite, InstanceKind::kUnreadable, kStatusBadArgument},
        DispatchCase{"DestroyReadOnlyBlock", kDestroyInstance, 4, Access::kReadOnly, InstanceKind::kValid, kStatusBadArgument},
        DispatchCase{"LaunchWithoutInstance", kLaunchStandaloneConsole, 4, Access::kReadWrite, InstanceKind::kNone, kStatusBadArgument},
        DispatchCase{"OpenSizeWordBelowTheBlock", kOpenIntegratedConsole, kOpenBlockSize, Access::kReadWrite, InstanceKind::kValid, kStatusBadArgument},
        DispatchCase{"OpenShortBlock", kOpenIntegratedConsole, kOpenBlockSize - 1, Access::kReadWrite, InstanceKind::kValid, kStatusBadArgument}),
    [](const ::testing::TestParamInfo<DispatchCase>& info) { return std::string(info.param.name); });

TEST_F(HostDispatcher, NullBlockIsRefused) {
    EXPECT_EQ(kStatusBadArgument, ksCVWEntryPoint(nullptr, kQueryVersion, nullptr));
    EXPECT_EQ(kStatusBadArgument, ksCVWEntryPoint(nullptr, kCreateInstance, nullptr));
}

TEST_F(HostDispatcher, QueryVersionAndInfo) {
    uint32_t version[2] = {kSentinel, kSentinel};
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(nullptr, kQueryVersion, version));
    EXPECT_EQ(0u, version[0]);
    EXPECT_EQ(0x102u, version[1]);

    char info[212];
    std::memset(info, 0xCD, sizeof(info));
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(nullptr, kQueryInfo, info));
    EXPECT_EQ(0u, Word(info, 0));
    EXPECT_EQ(1u, Word(info, 1));
    EXPECT_EQ(2u, Word(info, 2));
    for (size_t i = 3; i < 53; ++i) EXPECT_EQ(0u, Word(info, i)) << i;
}

TEST_F(HostDispatcher, CreateInstanceWithoutCameraLeavesNothingBehind) {
    CreateBlock block("XC0730 Web Camera");
    std::memset(block.bytes + kCreateHandleOffset, 0xCD, kCreateBlockSize - kCreateHandleOffset);
    EXPECT_EQ(kStatusNoCamera, ksCVWEntryPoint(nullptr, kCreateInstance, block.bytes));
    EXPECT_EQ(kStatusNoCamera, block.status());
    EXPECT_EQ(kSentinel, block.Word(kCreateHandleOffset));
    EXPECT_EQ(kSentinel, block.Word(kCreateBlockSize - 4));
    EXPECT_FALSE(MutexExists(kIntegratedConsoleMutex));
}

TEST_F(HostDispatcher, RefusedCreateInstanceCreatesNoMutex) {
    AddCamera(1, "XC0730 Web Camera");
    GuardedBlock block(kCreateBlockSize);
    std::memset(block.data(), 0, kCreateBlockSize);
    block.Protect(PAGE_READONLY);
    EXPECT_EQ(kStatusBadArgument, ksCVWEntryPoint(nullptr, kCreateInstance, block.data()));
    EXPECT_FALSE(MutexExists(kIntegratedConsoleMutex));
}

TEST_F(HostDispatcher, InstanceLivesFromCreateToDestroy) {
    AddCamera(1, "XC0730 Web Camera");
    // The argument field is full: no terminator in its 256 bytes.
    CreateBlock block;
    std::memset(block.bytes, 'a', sizeof(block.bytes));
    ASSERT_EQ(kStatusOk, ksCVWEntryPoint(nullptr, kCreateInstance, block.bytes));
    EXPECT_EQ(0u, block.status());
    auto* instance = static_cast<HostInstance*>(block.instance());
    ASSERT_NE(nullptr, instance);
    EXPECT_EQ(kHostInstanceMagic, instance->magic);
    EXPECT_EQ(std::string(127, 'a'), std::string(instance->argument));
    EXPECT_EQ(1u, instance->context.deviceCount);
    EXPECT_TRUE(MutexExists(kIntegratedConsoleMutex));

    EXPECT_EQ(kStatusOk, Destroy(instance));
    EXPECT_FALSE(MutexExists(kIntegratedConsoleMutex));
}

TEST_F(HostDispatcher, DestroyedInstanceIsRefusedAfterwards) {
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* first = CreateValidInstance();
    // A second live instance keeps the freed block's page in use.
    HostInstance* second = CreateValidInstance();
    ASSERT_EQ(kStatusOk, Destroy(first));
    EXPECT_EQ(kStatusBadArgument, Destroy(first));
    EXPECT_EQ(kStatusOk, Destroy(second));
}

// Integrated consoles for the seam: a plain window each, and something the
// test wants done while one is created.
class TestIntegratedConsole : public IntegratedConsole {
public:
    ~TestIntegratedConsole() override {
        if (window_) ::DestroyWindow(window_);
        ++destroyed;
    }
    bool Create() override {
        window_ = ::CreateWindowExA(0, "STATIC", "integrated", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                    nullptr);
        if (whileCreated) whileCreated();
        return window_ != nullptr;
    }
    HWND WindowHandle() const override { return window_; }
    void CloseNested() override {}

    static std::unique_ptr<IntegratedConsole> Make(LaunchContext*, const DeviceNames&, IntegratedConsole::Owner*) {
        return std::make_unique<TestIntegratedConsole>();
    }
    static int destroyed;
    static std::function<void()> whileCreated;

private:
    HWND window_ = nullptr;
};
int TestIntegratedConsole::destroyed = 0;
std::function<void()> TestIntegratedConsole::whileCreated;

TEST_F(HostDispatcher, SecondOpenIntegratedConsoleIsRefusedAndLeavesTheFirst) {
    testsupport::SeamOverride seams;
    seams->makeIntegratedConsole = TestIntegratedConsole::Make;
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* instance = CreateValidInstance("XC0730 Web Camera");

    OpenBlock open;
    ASSERT_EQ(kStatusOk, ksCVWEntryPoint(instance, kOpenIntegratedConsole, open.bytes));
    HWND window = open.window();
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_EQ(window, instance->context.consoleWindow);
    EXPECT_EQ(instance->argument, instance->context.selectedDevice);
    EXPECT_NE(nullptr, instance->context.resourceLibrary);

    OpenBlock again;
    EXPECT_EQ(kStatusAlreadyOpen, ksCVWEntryPoint(instance, kOpenIntegratedConsole, again.bytes));
    EXPECT_EQ(kStatusAlreadyOpen, again.status());
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(window, instance->context.consoleWindow);

    int destroyedBefore = TestIntegratedConsole::destroyed;
    EXPECT_EQ(kStatusOk, Destroy(instance));
    EXPECT_EQ(destroyedBefore + 1, TestIntegratedConsole::destroyed);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, ::GetModuleHandleA("Ostrivan.crl"));
}

TEST_F(HostDispatcher, TwoInstancesShareTheResourceLibraryUntilTheLastGoes) {
    testsupport::SeamOverride seams;
    seams->makeIntegratedConsole = TestIntegratedConsole::Make;
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* first = CreateValidInstance();
    HostInstance* second = CreateValidInstance();
    for (HostInstance* instance : {first, second}) {
        OpenBlock open;
        ASSERT_EQ(kStatusOk, ksCVWEntryPoint(instance, kOpenIntegratedConsole, open.bytes));
    }
    ASSERT_NE(nullptr, ResourceSource());
    const std::string title = LoadResourceString(IDS_CONSOLE_TITLE);
    ASSERT_FALSE(title.empty());

    EXPECT_EQ(kStatusOk, Destroy(first));
    EXPECT_NE(nullptr, ResourceSource()) << "the second instance's windows still need templates and strings";
    EXPECT_EQ(title, LoadResourceString(IDS_CONSOLE_TITLE));
    EXPECT_NE(nullptr, ::GetModuleHandleA("Ostrivan.crl"));

    EXPECT_EQ(kStatusOk, Destroy(second));
    EXPECT_EQ(nullptr, ResourceSource());
    EXPECT_EQ(nullptr, ::GetModuleHandleA("Ostrivan.crl"));
}

TEST_F(HostDispatcher, OpenIntegratedConsoleWithoutItsWindowAnswersZeroHandle) {
    testsupport::SeamOverride seams;
    seams->makeIntegratedConsole = nullptr;
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* instance = CreateValidInstance();
    OpenBlock open(kSentinel, kOpenBlockSize, ~uintptr_t{0});
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(instance, kOpenIntegratedConsole, open.bytes));
    EXPECT_EQ(0u, open.windowBits()) << "all of the window handle's bytes";
    EXPECT_EQ(kStatusOk, Destroy(instance));
}

// Another thread's DestroyInstance while this thread still creates the
// console: that thread only marks it, and the open ends the instance here,
// before it returns, answering no window.
TEST_F(HostDispatcher, ADestroyFromAnotherThreadDuringTheOpenEndsTheInstanceBeforeTheOpenReturns) {
    testsupport::SeamOverride seams;
    seams->makeIntegratedConsole = TestIntegratedConsole::Make;
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* instance = CreateValidInstance();
    uint32_t destroyed = kSentinel;
    TestIntegratedConsole::whileCreated = [&] {
        std::thread other([&] { destroyed = Destroy(instance); });
        other.join();
    };
    const int before = TestIntegratedConsole::destroyed;
    OpenBlock open(kSentinel, kOpenBlockSize, ~uintptr_t{0});
    EXPECT_EQ(kStatusOk, ksCVWEntryPoint(instance, kOpenIntegratedConsole, open.bytes));
    TestIntegratedConsole::whileCreated = nullptr;

    EXPECT_EQ(kStatusOk, destroyed);
    EXPECT_EQ(0u, open.windowBits());
    EXPECT_EQ(before + 1, TestIntegratedConsole::destroyed) << "the console went on this thread";
    EXPECT_FALSE(MutexExists(kIntegratedConsoleMutex));
    EXPECT_EQ(nullptr, ::GetModuleHandleA("Ostrivan.crl"));
}

// Another thread's DestroyInstance returns at once; the console's thread
// carries it out when it next takes messages.
TEST_F(HostDispatcher, ADestroyFromAnotherThreadIsCarriedOutWhenTheConsolesThreadTakesMessages) {
    testsupport::SeamOverride seams;
    seams->makeIntegratedConsole = TestIntegratedConsole::Make;
    AddCamera(1, "XC0730 Web Camera");
    HostInstance* instance = CreateValidInstance();
    OpenBlock open;
    ASSERT_EQ(kStatusOk, ksCVWEntryPoint(instance, kOpenIntegratedConsole, open.bytes));
    HWND window = open.window();
    ASSERT_TRUE(::IsWindow(window));

    uint32_t destroyed = kSentinel;
    std::thread other([&] { destroyed = Destroy(instance); });
    other.join();
    EXPECT_EQ(kStatusOk, destroyed);
    EXPECT_TRUE(::IsWindow(window)) << "nothing of the console goes on another thread";
    EXPECT_TRUE(MutexExists(kIntegratedConsoleMutex));

    EXPECT_TRUE(driving::PumpUntil([&] { return !::IsWindow(window) && !MutexExists(kIntegratedConsoleMutex); }));
    EXPECT_EQ(nullptr, ::GetModuleHandleA("Ostrivan.crl"));
}

}  // namespace

namespace {

// The handle table hands out the lowest free slot: a handle leaked by the
// commands would push the next fresh handle's value up.
HANDLE ProbeHandleValue() {
    HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ::CloseHandle(event);
    return event;
}

TEST_F(HostDispatcher, RepeatedInstancesLeakNoHandles) {
    AddCamera(1, "XC0730 Web Camera");
    // Warm up whatever the platform caches on first use.
    ASSERT_EQ(kStatusOk, Destroy(CreateValidInstance()));
    HANDLE before = ProbeHandleValue();
    for (int i = 0; i < 50; ++i) ASSERT_EQ(kStatusOk, Destroy(CreateValidInstance()));
    EXPECT_EQ(before, ProbeHandleValue());

    // The probe sees a leak: one handle kept open moves it.
    HANDLE kept = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_NE(before, ProbeHandleValue());
    ::CloseHandle(kept);
}

}  // namespace
