// The thread of one device-change worker (see DeviceChangeWorkers.h for
// what it does for the window).
#pragma once

#include "console/DeviceChangeBoard.h"

namespace ostrivan {

// Thread procedure over a DeviceChangeJob, which it owns and frees; the job
// must already be listed on its board.
unsigned __stdcall RunDeviceChangeWorker(void* job);

}  // namespace ostrivan
