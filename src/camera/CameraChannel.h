// The binding to one camera's capture device, found among the system's video
// input devices by its friendly name, and the property operations on it.
//
// Index:
//   CameraChannel        six interface references, empty until opened
//   CameraProperty       one property's range, value, flags and applied state
//   OpenCameraChannel / CloseCameraChannel    always called as a pair
//   ReadCameraProperty / WriteCameraProperty  camera or picture control set
//   WriteFlags / PropertyNeedsWrite           what a write sends, and whether it calls the device
//   SnapPropertyValue / PropertyPageStep      slider helpers (CameraPropertyMath.cpp)
//
// Errors: every operation reports failure as false (PropertyPageStep as 0)
// and never throws. A failed open leaves what it obtained in the channel;
// CloseCameraChannel releases each reference exactly once.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>

namespace ostrivan {

class CameraChannel {
public:
    Microsoft::WRL::ComPtr<IBaseFilter> filter;
    Microsoft::WRL::ComPtr<IKsPropertySet> propertySet;
    Microsoft::WRL::ComPtr<IAMCameraControl> cameraControl;
    Microsoft::WRL::ComPtr<IAMVideoProcAmp> procAmp;
    Microsoft::WRL::ComPtr<IAMVideoControl> videoControl;  // obtained and released only
    Microsoft::WRL::ComPtr<IPin> firstPin;                 // obtained and released only

private:
    // Whether the open's CoInitialize succeeded (S_OK or S_FALSE), so that the
    // close ends exactly that use of COM and never a host thread's own.
    bool comStarted_ = false;

    friend bool OpenCameraChannel(const char* deviceName, CameraChannel* channel);
    friend bool CloseCameraChannel(CameraChannel* channel);
};

// All fields 32-bit, in this order; flags bit 0 automatic, bit 1 manual.
struct CameraProperty {
    int32_t valid;
    int32_t value;
    int32_t appliedValue;
    int32_t valueAtOpening;  // not touched by the channel
    int32_t flags;
    int32_t appliedFlags;
    int32_t flagsAtOpening;  // not touched by the channel
    int32_t automatic;
    int32_t minimum;
    int32_t maximum;
    int32_t step;
    int32_t defaultValue;
    int32_t capabilities;
};
static_assert(sizeof(CameraProperty) == 13 * 4, "CameraProperty layout");

constexpr int32_t kFlagAutomatic = 1;
constexpr int32_t kFlagManual = 2;

// deviceName: ANSI text in the system code page, compared without regard to case.
[[nodiscard]] bool OpenCameraChannel(const char* deviceName, CameraChannel* channel);
bool CloseCameraChannel(CameraChannel* channel);

// set: IID_IAMCameraControl or IID_IAMVideoProcAmp; id: a property of that interface.
[[nodiscard]] bool ReadCameraProperty(CameraChannel* channel, const GUID& set, long id, CameraProperty* property);
[[nodiscard]] bool WriteCameraProperty(CameraChannel* channel, const GUID& set, long id, CameraProperty* property);

// The flags a write of the record sends: automatic or manual as its
// automatic field says, its other bits kept.
int32_t WriteFlags(const CameraProperty& property);
// Whether a write of the record would call the device: its value or mode
// differs from what was last applied.
bool PropertyNeedsWrite(const CameraProperty& property);

// Rounds *proposed to the nearest step of the property's range; false when
// nothing was moved (or the record cannot be snapped to).
[[nodiscard]] bool SnapPropertyValue(const CameraProperty* property, int32_t* proposed);
// About a tenth of the range in whole steps, at least one step; 0 for an unusable record.
int32_t PropertyPageStep(const CameraProperty* property);

}  // namespace ostrivan
