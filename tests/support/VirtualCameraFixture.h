// A fixture for tests against virtual cameras: no test-bed devices and no
// virtual cameras before and after each test, the camera server held loaded
// so its live-object count can be read, and that count checked to be zero
// when the test ends (every test closes its channels).
#pragma once

#include "base/UniqueHandle.h"
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
    // Objects of the camera server alive in this process.
    long LiveObjects() const;

private:
    ostrivan::UniqueModule server_;
};

}  // namespace testsupport
