// The virtual cameras' state, kept in the registry so that every process of
// the prefix sees the same camera: the test or the tool configures it, the
// capture device (an in-process COM server loaded by whoever opens the camera)
// answers from it and writes back what it is told to set.
//
// Layout, under HKLM\Software\CameraTestBed\VirtualCameras\<index>:
//   Description (UTF-8 in the API), Plugged, Interfaces, PinCount, Failures,
//   InUse, PeakInUse, Made (the capture device's own count of its objects)
//   CameraControl\<id>, ProcAmp\<id>, Vendor\<id>: one key per offered property
//     Minimum Maximum Step Default Capabilities Value Flags Failures SetCalls
//     LastBuffer (vendor properties: the last buffer a Set carried)
//
// Every call reports success as a bool; out-values are untouched on failure.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testbed {

// What the capture device offers to QueryInterface.
enum : DWORD {
    kOfferPropertySet = 1,
    kOfferCameraControl = 2,
    kOfferProcAmp = 4,
    kOfferVideoControl = 8,
    kOfferAll = 15,
};

// Calls of the whole device that fail.
enum : DWORD {
    kFailEnumPins = 1,  // IBaseFilter::EnumPins
    kFailNextPin = 2,   // IEnumPins::Next
};

// Calls of one property that fail.
enum : DWORD {
    kFailRange = 1,  // GetRange
    kFailGet = 2,    // Get
    kFailSet = 4,    // Set (still counted)
};

enum class ControlGroup { CameraControl, ProcAmp, Vendor };

struct VirtualCameraSpec {
    std::string description;
    DWORD interfaces = kOfferAll;
    DWORD pinCount = 1;  // 0 or 1
    DWORD failures = 0;
};

// One property as the device reports it; a vendor property uses value only.
struct ControlState {
    LONG minimum = 0;
    LONG maximum = 255;
    LONG step = 1;
    LONG defaultValue = 128;
    LONG capabilities = 3;
    LONG value = 128;
    LONG flags = 2;
    DWORD failures = 0;
};

constexpr int kMaxVirtualCameras = 99;

// Writes the camera's own settings; its properties and plugged state stay.
bool WriteVirtualCamera(int index, const VirtualCameraSpec& config);
bool ReadVirtualCamera(int index, VirtualCameraSpec* config);
bool IsCameraPlugged(int index);
bool SetCameraPlugged(int index, bool plugged);
std::vector<int> VirtualCameraIndexes();
bool DeleteVirtualCamera(int index);

// How the camera's capture device is used by every process of the prefix:
// objects alive now, the most that were ever alive at once, and how many were
// made, since the camera was first defined.
struct DeviceUse {
    DWORD inUse = 0;
    DWORD peakInUse = 0;
    DWORD made = 0;
};
bool CountDeviceMade(int index);
bool CountDeviceReleased(int index);
bool ReadDeviceUse(int index, DeviceUse* use);

// Offering a property writes its whole state and clears its set-call count.
bool OfferControl(int index, ControlGroup group, LONG id, const ControlState& state);
bool WithdrawControl(int index, ControlGroup group, LONG id);
bool ReadControl(int index, ControlGroup group, LONG id, ControlState* state);
// The device side of a Set: value and flags become current.
bool StoreControlValue(int index, ControlGroup group, LONG id, LONG value, LONG flags);
bool SetControlFailures(int index, ControlGroup group, LONG id, DWORD failures);
DWORD SetCallCount(int index, ControlGroup group, LONG id);
bool CountSetCall(int index, ControlGroup group, LONG id);
bool StoreLastBuffer(int index, LONG id, const void* data, DWORD size);
std::string LastBuffer(int index, LONG id);

// Each camera's capture device has its own class id; the index is its last bytes.
CLSID VirtualCameraClsid(int index);
bool VirtualCameraIndex(const CLSID& clsid, int* index);

}  // namespace testbed
