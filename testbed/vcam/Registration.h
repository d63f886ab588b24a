// Keeps the system's video input devices in step with the store: every
// plugged virtual camera is a registered COM class and a filter of the video
// input category whose "FriendlyName" is the camera's description; nothing
// else of ours stays registered. Reports an HRESULT.
#pragma once

#include <windows.h>

namespace vcam {

HRESULT RegisterPluggedCameras(HMODULE server);
HRESULT UnregisterAllCameras();

}  // namespace vcam
