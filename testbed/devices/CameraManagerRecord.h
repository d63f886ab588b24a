// What the camera-manager stand-in "KsCamMgr.dll" is told and what it saw.
// Every call is recorded in the registry, so a test in another process reads
// it after regsvr32 has ended. Every call reports success as a bool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbed {

struct ManagerCall {
    uint32_t command = 0;
    std::vector<uint8_t> block;  // empty when the call had no block
};

// Forgets the recorded calls and every order.
void ResetCameraManager();
// The library refuses to load (as if it were not there).
bool SetCameraManagerAbsent(bool absent);
// The manager answers failure to this command (0 for none).
bool SetCameraManagerRefusal(uint32_t command);

// Read by the stand-in itself.
bool CameraManagerAbsent();
uint32_t CameraManagerRefusal();
bool RecordManagerCall(const ManagerCall& call);

std::vector<ManagerCall> RecordedManagerCalls();

}  // namespace testbed
