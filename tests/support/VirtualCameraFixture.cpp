#include "support/VirtualCameraFixture.h"

namespace testsupport {

void VirtualCameraBed::SetUp() {
    CameraTestBed::SetUp();
    testbed::RemoveAllVirtualCameras();
    // The same path COM loads the server from, so this is the same module.
    server_.reset(::LoadLibraryA(testbed::VirtualCameraServerPath().c_str()));
    ASSERT_TRUE(server_) << "the virtual camera server is not installed in the prefix";
}

void VirtualCameraBed::TearDown() {
    EXPECT_EQ(0, LiveObjects()) << "a camera server object was not released";
    testbed::RemoveAllVirtualCameras();
    CameraTestBed::TearDown();
}

void VirtualCameraBed::PlugStandardCamera(int index, const std::string& description) {
    PlugCamera(index, description, testbed::CameraPreset::Standard);
}

void VirtualCameraBed::PlugCamera(int index, const std::string& description, testbed::CameraPreset preset) {
    ASSERT_TRUE(testbed::DefineCamera(index, description, preset));
    ASSERT_TRUE(testbed::PlugVirtualCamera(index));
}

long VirtualCameraBed::LiveObjects() const {
    using LiveObjectsFn = LONG(WINAPI*)();
    auto live = reinterpret_cast<LiveObjectsFn>(
        reinterpret_cast<void*>(::GetProcAddress(server_.get(), "VcamLiveObjects")));
    return live ? live() : -1;
}

int RunTestBedTool(const std::string& arguments, std::string* output) {
    return RunProgramWithOutput(ProgramFolder() + "camtestbed.exe " + arguments, output);
}

}  // namespace testsupport
