// A fixture for tests against virtual cameras: no test-bed devices and no
// virtual cameras before and after each test, the camera server held loaded
// so its live-object count can be read, and that count checked to be zero
// when the test ends (every test closes its channels).
#pragma once

#include "base/UniqueHandle.h"
#include "camera/CameraChannel.h"
#include "devices/VirtualCameras.h"
#include "support/TestBedFixture.h"

#include <string>

namespace testsupport {

class VirtualCameraBed : public CameraTestBed {
protected:
    void SetUp() override;
    void TearDown() override;

    // Defines a camera with the console's standard properties and plugs it.
    static void PlugStandardCamera(int index, const std::string& description);
    // The same with a preset: Standard (lenient), Real (acts as a real
    // camera) or PowerLineFallback (Real, power line only privately, at 3).
    static void PlugCamera(int index, const std::string& description, testbed::CameraPreset preset);
    // Objects of the camera server alive in this process.
    long LiveObjects() const;

private:
    ostrivan::UniqueModule server_;
};

// One standard camera plugged (kCamera, named kName) and a channel that is
// closed after every test, for tests of the channel's property operations.
class OneCameraBed : public VirtualCameraBed {
protected:
    static constexpr int kCamera = 1;
    static constexpr const char* kName = "XC0730 Web Camera";

    void SetUp() override {
        VirtualCameraBed::SetUp();
        PlugStandardCamera(kCamera, kName);
    }
    void TearDown() override {
        ostrivan::CloseCameraChannel(&channel_);
        VirtualCameraBed::TearDown();
    }

    ostrivan::CameraChannel channel_;
};

// Runs camtestbed.exe of the build folder with these arguments, as another
// program of the prefix; gives its exit code (-1 when it did not run) and,
// when asked, what it printed.
int RunTestBedTool(const std::string& arguments, std::string* output = nullptr);

}  // namespace testsupport
