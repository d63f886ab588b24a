// The virtual cameras' state, kept in the registry so that every process of
// the prefix sees the same camera: the test or the tool configures it, the
// capture device (an in-process COM server loaded by whoever opens the camera)
// answers from it and writes back what it is told to set.
//
// Layout, under HKLM\Software\CameraTestBed\VirtualCameras\<index>:
//   Description (UTF-8 in the API), Plugged, Interfaces, PinCount, Failures,
//   Behaviour, Latency, Generation (plugs so far), Binds, MostBound,
//   MostBackgroundBound, and under LiveBinds the binds alive now, one value
//   per binding process (readers skip processes that have ended)
//   CameraControl\<id>, ProcAmp\<id>, Vendor\<id>: one key per offered property
//     Minimum Maximum Step Default Capabilities Value Flags Failures SetCalls
//     AutoValue (the camera's own choice while automatic)
//     LastBuffer (vendor properties: the last buffer a Set carried)
// Counters are changed under one named mutex, since several processes count.
//
// Every call reports success as a bool; out-values are untouched on failure.
#pragma once

#include "driving/HangLimit.h"

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
    // The camera goes away at the next call of this property, before
    // answering it: the store marks it unplugged (the call and every later
    // one fail as on a camera that is gone) and the bit clears. Its device
    // and capture device stay until UnplugVirtualCamera finishes the removal.
    kUnplugAtCall = 8,
    // Parental lock only: the driver side cannot keep a password hash
    // (command 3 fails; the other commands still work).
    kFailKeepHash = 16,
};

// How closely the camera follows the rules of a real one. A camera without
// these answers leniently: it stores whatever a Set gives.
enum : DWORD {
    // A Set with the automatic flag switches only the mode; while automatic,
    // Get reports the camera's own choice (AutoValue), not the stored value.
    kActAutomatic = 1,
    // A Set fails with E_INVALIDARG and changes nothing when its flags are not
    // exactly 1 or 2, its mode is not among the capabilities, or (manual, and
    // for private properties) its value lies outside the range.
    kStrictWrites = 2,
    kRejectOffStep = 4,  // a value off the step fails with E_INVALIDARG
    kRoundOffStep = 8,   // a value off the step is rounded to the nearest step
    // A capture device bound before an unplug stays dead after a replug.
    kDeadAfterUnplug = 16,
    // A bind by a thread that shows no window is counted, then waits while
    // the camera's bind gate is closed (BindGate.h), at most kMaxBindHoldMs:
    // a driver that does not answer a console's background work.
    kHoldBackgroundBinds = 32,
    kRealCamera = kActAutomatic | kStrictWrites | kRejectOffStep | kDeadAfterUnplug,
};

enum class ControlGroup { CameraControl, ProcAmp, Vendor };

// The most a camera may take to answer one call.
constexpr DWORD kMaxLatencyMs = 10000;
// The longest a bind waits at a closed gate: far beyond any test's wait,
// so that a test that never opens the gate still ends.
constexpr DWORD kMaxBindHoldMs = 2 * driving::kHangLimitMs;

struct VirtualCameraSpec {
    std::string description;
    DWORD interfaces = kOfferAll;
    DWORD pinCount = 1;  // 0 or 1
    DWORD failures = 0;
    DWORD behaviour = 0;
    // A slow camera: every bind and every call it answers (property range,
    // get and set, private properties, video control) comes this many
    // milliseconds late, at most kMaxLatencyMs. A call it refuses because
    // it is gone is not delayed.
    DWORD latencyMs = 0;
};

// Binds of a camera's capture device: all so far, alive now, most alive at
// once; and alive now and most alive at once among binds made by threads
// that show no window (a console's background workers, apart from its
// window's thread). Binds of a process that has ended are not alive.
struct BindCounts {
    DWORD total = 0;
    DWORD now = 0;
    DWORD most = 0;
    DWORD nowInBackground = 0;
    DWORD mostInBackground = 0;
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
    LONG autoValue = 128;  // what the camera chooses while automatic
};

// A property's state, its automatic choice starting at its value.
ControlState OfferedState(LONG minimum, LONG maximum, LONG step, LONG defaultValue, LONG value, LONG flags,
                          LONG capabilities);

constexpr int kMaxVirtualCameras = 99;

// Writes the camera's own settings; its properties and plugged state stay.
bool WriteVirtualCamera(int index, const VirtualCameraSpec& config);
bool ReadVirtualCamera(int index, VirtualCameraSpec* config);
bool IsCameraPlugged(int index);
// Plugging in starts a new generation of the camera.
bool SetCameraPlugged(int index, bool plugged);
DWORD CameraGeneration(int index);
bool SetCameraBehaviour(int index, DWORD behaviour);
// Fails above kMaxLatencyMs.
bool SetCameraLatency(int index, DWORD latencyMs);
// How late a plugged camera answers; 0 for one that is gone.
DWORD AnswerLatency(int index);
std::vector<int> VirtualCameraIndexes();
bool DeleteVirtualCamera(int index);

// Offering a property writes its whole state and clears its set-call count.
bool OfferControl(int index, ControlGroup group, LONG id, const ControlState& state);
bool WithdrawControl(int index, ControlGroup group, LONG id);
bool ReadControl(int index, ControlGroup group, LONG id, ControlState* state);
// The device side of a Set: value and flags become current.
bool StoreControlValue(int index, ControlGroup group, LONG id, LONG value, LONG flags);
// The camera's own choice while automatic; not a Set, so not counted.
bool SetAutomaticChoice(int index, ControlGroup group, LONG id, LONG value);
bool SetControlFailures(int index, ControlGroup group, LONG id, DWORD failures);
DWORD SetCallCount(int index, ControlGroup group, LONG id);
bool CountSetCall(int index, ControlGroup group, LONG id);
bool StoreLastBuffer(int index, LONG id, const void* data, DWORD size);
std::string LastBuffer(int index, LONG id);

// Kept by the capture device: a bind starts when a filter is made, ends when it goes.
// `background`: the binding thread shows no window.
bool CountBindStarted(int index, bool background);
bool CountBindEnded(int index, bool background);
BindCounts ReadBindCounts(int index);
// Starts counting anew from the binds alive now.
bool ResetBindCounts(int index);

// Each camera's capture device has its own class id; the index is its last bytes.
CLSID VirtualCameraClsid(int index);
bool VirtualCameraIndex(const CLSID& clsid, int* index);

}  // namespace testbed
