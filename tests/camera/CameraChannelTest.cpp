// Opening and closing camera channels through the system device enumerator
// under Wine, with virtual cameras playing the capture devices.
#include "camera/CameraChannel.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <string>
#include <thread>

using namespace ostrivan;
using testbed::ControlGroup;

namespace {

class CameraChannelTest : public testsupport::VirtualCameraBed {
protected:
    bool Open(const char* name) { return OpenCameraChannel(name, &channel_); }
    void TearDown() override {
        EXPECT_TRUE(CloseCameraChannel(&channel_));
        VirtualCameraBed::TearDown();
    }
    CameraChannel channel_;
};

TEST_F(CameraChannelTest, NameDifferingOnlyInCaseIsFoundWithEveryInterface) {
    PlugStandardCamera(1, "XC0730 Web Camera");
    ASSERT_TRUE(Open("xc0730 WEB camera"));
    EXPECT_TRUE(channel_.filter);
    EXPECT_TRUE(channel_.propertySet);
    EXPECT_TRUE(channel_.cameraControl);
    EXPECT_TRUE(channel_.procAmp);
    EXPECT_TRUE(channel_.videoControl);
    EXPECT_TRUE(channel_.firstPin);
    EXPECT_GT(LiveObjects(), 0);

    CloseCameraChannel(&channel_);
    EXPECT_FALSE(channel_.filter);
    EXPECT_FALSE(channel_.firstPin);
    EXPECT_EQ(0, LiveObjects());
}

TEST_F(CameraChannelTest, TwoCamerasAreToldApartByName) {
    PlugStandardCamera(1, "Camera One");
    PlugStandardCamera(2, "Camera Two");
    testbed::ControlState state;
    ASSERT_TRUE(testbed::ReadControl(2, ControlGroup::ProcAmp, 0, &state));
    state.value = 77;
    ASSERT_TRUE(testbed::OfferControl(2, ControlGroup::ProcAmp, 0, state));

    ASSERT_TRUE(Open("Camera Two"));
    LONG value = 0, flags = 0;
    ASSERT_EQ(S_OK, channel_.procAmp->Get(0, &value, &flags));
    EXPECT_EQ(77, value);
    CLSID clsid{};
    ASSERT_EQ(S_OK, channel_.filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualGUID(testbed::VirtualCameraClsid(2), clsid));
}

TEST_F(CameraChannelTest, NoVideoInputDeviceDoesNotOpen) { EXPECT_FALSE(Open("XC0730 Web Camera")); }

TEST_F(CameraChannelTest, UnknownOrUnpluggedNameDoesNotOpen) {
    PlugStandardCamera(1, "XC0730 Web Camera");
    EXPECT_FALSE(Open("XC0730 Web Camera 2"));
    CloseCameraChannel(&channel_);

    ASSERT_TRUE(testbed::UnplugVirtualCamera(1));
    EXPECT_FALSE(Open("XC0730 Web Camera"));
}

struct MissingInterfaceCase {
    const char* name;
    DWORD offered;
    int obtained;  // how many of propertySet, cameraControl, procAmp, videoControl come first
};

class MissingInterface : public CameraChannelTest, public ::testing::WithParamInterface<MissingInterfaceCase> {};

TEST_P(MissingInterface, CameraDoesNotOpenAndCloseReleasesWhatWasObtained) {
    PlugStandardCamera(1, "Partial Camera");
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(1, &config));
    config.interfaces = GetParam().offered;
    ASSERT_TRUE(testbed::WriteVirtualCamera(1, config));

    EXPECT_FALSE(Open("Partial Camera"));
    EXPECT_TRUE(channel_.filter);
    bool present[] = {bool(channel_.propertySet), bool(channel_.cameraControl), bool(channel_.procAmp),
                      bool(channel_.videoControl)};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(i < GetParam().obtained, present[i]) << "interface " << i;
    EXPECT_FALSE(channel_.firstPin);

    CloseCameraChannel(&channel_);
    EXPECT_EQ(0, LiveObjects());
}

INSTANTIATE_TEST_SUITE_P(
    EachInterface, MissingInterface,
    ::testing::Values(MissingInterfaceCase{"NoPropertySet", testbed::kOfferAll & ~testbed::kOfferPropertySet, 0},
                      MissingInterfaceCase{"NoCameraControl", testbed::kOfferAll & ~testbed::kOfferCameraControl, 1},
                      MissingInterfaceCase{"NoProcAmp", testbed::kOfferAll & ~testbed::kOfferProcAmp, 2},
                      MissingInterfaceCase{"NoVideoControl", testbed::kOfferAll & ~testbed::kOfferVideoControl, 3}),
    [](const auto& info) { return std::string(info.param.name); });

struct PinCase {
    const char* name;
    DWORD pinCount;
    DWORD failures;
    bool opens;
    bool hasPin;
};

class PinEnumeration : public CameraChannelTest, public ::testing::WithParamInterface<PinCase> {};

TEST_P(PinEnumeration, DecidesTheOpen) {
    PlugStandardCamera(1, "Pin Camera");
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(1, &config));
    config.pinCount = GetParam().pinCount;
    config.failures = GetParam().failures;
    ASSERT_TRUE(testbed::WriteVirtualCamera(1, config));

    EXPECT_EQ(GetParam().opens, Open("Pin Camera"));
    EXPECT_EQ(GetParam().hasPin, bool(channel_.firstPin));
    EXPECT_TRUE(channel_.videoControl);
    CloseCameraChannel(&channel_);
    EXPECT_EQ(0, LiveObjects());
}

INSTANTIATE_TEST_SUITE_P(Cases, PinEnumeration,
                         ::testing::Values(PinCase{"OnePin", 1, 0, true, true},
                                           PinCase{"NoPinIsAccepted", 0, 0, true, false},
                                           PinCase{"EnumerationFails", 1, testbed::kFailEnumPins, false, false},
                                           PinCase{"TakingThePinFails", 1, testbed::kFailNextPin, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraChannelTest, BadNamesAreRefusedWithoutHarm) {
    PlugStandardCamera(1, "XC0730 Web Camera");
    // A friendly name too long for a 260-byte buffer, and one the code page cannot hold.
    PlugStandardCamera(2, std::string(300, 'L'));
    PlugStandardCamera(3, "Cam \xE4\xB8\xAD");  // a CJK letter, not in the Western code page

    const std::string longName(300, 'L');
    const std::string exactFit(259, 'L');
    const char* names[] = {nullptr, "", longName.c_str(), exactFit.c_str(), "Cam ?", "Cam \x81", "\x81\xFF\xFE"};
    for (const char* name : names) {
        CameraChannel channel;
        EXPECT_FALSE(OpenCameraChannel(name, &channel)) << (name ? name : "(null)");
        EXPECT_TRUE(CloseCameraChannel(&channel));
    }
    EXPECT_EQ(0, LiveObjects());
    ASSERT_TRUE(Open("XC0730 WEB CAMERA"));
}

TEST_F(CameraChannelTest, NullChannelAndReusedChannel) {
    PlugStandardCamera(1, "XC0730 Web Camera");
    EXPECT_FALSE(OpenCameraChannel("XC0730 Web Camera", nullptr));
    EXPECT_TRUE(CloseCameraChannel(nullptr));

    ASSERT_TRUE(Open("XC0730 Web Camera"));
    IBaseFilter* bound = channel_.filter.Get();
    // A channel in use is refused untouched; its own close still releases everything.
    EXPECT_FALSE(Open("XC0730 Web Camera"));
    EXPECT_EQ(bound, channel_.filter.Get());
    CloseCameraChannel(&channel_);
    EXPECT_EQ(0, LiveObjects());
}

// Runs body on a new thread, so each case starts without COM.
template <typename Body>
void OnFreshThread(Body body) {
    std::thread thread(body);
    thread.join();
}

TEST_F(CameraChannelTest, CloseEndsComOnlyWhenTheOpenStartedIt) {
    PlugStandardCamera(1, "XC0730 Web Camera");
    OnFreshThread([] {
        CameraChannel channel;
        EXPECT_TRUE(OpenCameraChannel("XC0730 Web Camera", &channel));
        CloseCameraChannel(&channel);
        // The thread is free again to choose any model.
        EXPECT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        ::CoUninitialize();
    });
    OnFreshThread([] {
        ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        // A host's thread in the multithreaded apartment: the channel works there.
        CameraChannel channel;
        EXPECT_TRUE(OpenCameraChannel("XC0730 Web Camera", &channel));
        CloseCameraChannel(&channel);
        // The host's own multithreaded COM is still there.
        EXPECT_EQ(S_FALSE, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        ::CoUninitialize();
        ::CoUninitialize();
    });
    OnFreshThread([] {
        ASSERT_EQ(S_OK, ::CoInitialize(nullptr));
        CameraChannel channel;
        EXPECT_TRUE(OpenCameraChannel("XC0730 Web Camera", &channel));
        CloseCameraChannel(&channel);
        // The host's own apartment is still there.
        EXPECT_EQ(S_FALSE, ::CoInitialize(nullptr));
        ::CoUninitialize();
        ::CoUninitialize();
    });
    EXPECT_EQ(0, LiveObjects());
}

}  // namespace
