// camtestbed as another program of the prefix: its writes reach the camera
// the way any program's do, it changes the camera's automatic choice without
// writing, and it sets up presets and behaviours. Binds are counted across
// processes.
#include "RealCameraFixture.h"

#include <string>

namespace {

using testbed::ControlGroup;
using testsupport::RealCameraTest;
using testsupport::RunTestBedTool;

class TestBedTool : public RealCameraTest {
protected:
    LONG Read(ControlGroup group, LONG id, LONG* flags = nullptr) {
        LONG value = 0, readFlags = 0;
        EXPECT_EQ(S_OK, camera_.Get(group, id, &value, &readFlags));
        if (flags) *flags = readFlags;
        return value;
    }
};

TEST_F(TestBedTool, AnotherProgramsWriteReachesTheCameraAndIsCounted) {
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 set 99"));
    EXPECT_EQ(99, Read(ControlGroup::ProcAmp, kBrightness));
    EXPECT_EQ(1u, SetCalls(ControlGroup::ProcAmp, kBrightness));

    // The real camera refuses for the other program too.
    EXPECT_EQ(1, RunTestBedTool("property 1 procamp 0 set 300"));
    EXPECT_EQ(1, RunTestBedTool("property 1 procamp 0 set 10 3"));
    EXPECT_EQ(99, Read(ControlGroup::ProcAmp, kBrightness));

    ASSERT_EQ(0, RunTestBedTool("property 1 camera 4 set -9 2"));
    LONG flags = 0;
    EXPECT_EQ(-9, Read(ControlGroup::CameraControl, kExposure, &flags));
    EXPECT_EQ(2, flags);

    ASSERT_EQ(0, RunTestBedTool("property 1 vendor 259 set 3"));
    LONG value = 0;
    ASSERT_EQ(S_OK, camera_.GetPrivate(259, &value));
    EXPECT_EQ(3, value);

    std::string printed;
    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 get", &printed));
    EXPECT_EQ("value 99 flags 2", printed.substr(0, printed.find_first_of("\r\n")));
}

TEST_F(TestBedTool, TheCamerasOwnChoiceIsNotAWrite) {
    ASSERT_EQ(0, RunTestBedTool("property 1 camera 4 auto -8"));
    LONG flags = 0;
    EXPECT_EQ(-8, Read(ControlGroup::CameraControl, kExposure, &flags));
    EXPECT_EQ(1, flags);
    EXPECT_EQ(0u, SetCalls(ControlGroup::CameraControl, kExposure));
    EXPECT_EQ(1, RunTestBedTool("property 1 camera 77 auto -8")) << "no such property";
}

TEST_F(TestBedTool, PresetsAndBehavioursFromTheCommandLine) {
    camera_.Close();
    ASSERT_EQ(0, RunTestBedTool("camera 3 \"Fallback Camera\" --fallback"));
    ASSERT_EQ(0, RunTestBedTool("plug 3"));
    testbed::BareCamera fallback;
    ASSERT_EQ(S_OK, fallback.Open("Fallback Camera"));
    LONG value = 0, flags = 0;
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, fallback.Get(ControlGroup::ProcAmp, kPowerLine, &value, &flags));
    ASSERT_EQ(S_OK, fallback.GetPrivate(259, &value));
    EXPECT_EQ(3, value);
    EXPECT_EQ(E_INVALIDARG, fallback.Set(ControlGroup::ProcAmp, kSharpness, 7, 0x12));

    ASSERT_EQ(0, RunTestBedTool("behaviour 3 0"));
    EXPECT_EQ(S_OK, fallback.Set(ControlGroup::ProcAmp, kSharpness, 70, 0x12));

    // An option given with a preset overrides the preset's own setting.
    ASSERT_EQ(0, RunTestBedTool("camera 3 \"Fallback Camera\" --real --behaviour 2"));
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(3, &config));
    EXPECT_EQ(2u, config.behaviour);
    ASSERT_EQ(S_OK, fallback.Get(ControlGroup::ProcAmp, kPowerLine, &value, &flags));
    EXPECT_EQ(3, value);

    EXPECT_EQ(2, RunTestBedTool("camera 3 \"Fallback Camera\" --behaviour")) << "an option without its value";
    EXPECT_EQ(2, RunTestBedTool("property 1 procamp 0 set")) << "a write without its value";
}

TEST_F(TestBedTool, BindsAreCountedWhileTheyLive) {
    // The fixture's own bind is alive.
    ASSERT_TRUE(testbed::ResetBindCounts(kCamera));
    testbed::BindCounts counts = testbed::ReadBindCounts(kCamera);
    EXPECT_EQ(0u, counts.total);
    EXPECT_EQ(1u, counts.now);
    {
        testbed::BareCamera second;
        ASSERT_EQ(S_OK, second.Open(kName));
        counts = testbed::ReadBindCounts(kCamera);
        EXPECT_EQ(1u, counts.total);
        EXPECT_EQ(2u, counts.now);
        EXPECT_EQ(2u, counts.most);
    }
    camera_.Close();
    counts = testbed::ReadBindCounts(kCamera);
    EXPECT_EQ(0u, counts.now);
    EXPECT_EQ(2u, counts.most);

    ASSERT_EQ(0, RunTestBedTool("property 1 procamp 0 get"));
    std::string printed;
    ASSERT_EQ(0, RunTestBedTool("binds 1", &printed));
    EXPECT_EQ("binds 2 now 0 most 2", printed.substr(0, printed.find_first_of("\r\n")));
    ASSERT_EQ(0, RunTestBedTool("binds 1 reset"));
    counts = testbed::ReadBindCounts(kCamera);
    EXPECT_EQ(0u, counts.total);
    EXPECT_EQ(0u, counts.most);
}

TEST_F(TestBedTool, BindsOfAThreadShowingAWindowAreNotCountedAsBackground) {
    // The fixture's bind was made by this thread showing no window.
    ASSERT_TRUE(testbed::ResetBindCounts(kCamera));
    EXPECT_EQ(1u, testbed::ReadBindCounts(kCamera).mostInBackground);
    {
        testbed::BareCamera second;
        ASSERT_EQ(S_OK, second.Open(kName));
        EXPECT_EQ(2u, testbed::ReadBindCounts(kCamera).mostInBackground);
    }
    HWND shown = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr);
    ASSERT_NE(nullptr, shown);
    ASSERT_TRUE(testbed::ResetBindCounts(kCamera));
    {
        testbed::BareCamera second;
        ASSERT_EQ(S_OK, second.Open(kName));
        testbed::BindCounts counts = testbed::ReadBindCounts(kCamera);
        EXPECT_EQ(2u, counts.most);
        EXPECT_EQ(1u, counts.mostInBackground) << "the second bind came from a thread showing a window";
    }
    ::DestroyWindow(shown);
}

}  // namespace
