// The view panel's camera work through the channel operations it uses.
// To time the panel window itself instead, replace these two bodies; the
// table and the bare side stay as they are.
#include "ConsoleCalls.h"

#include "camera/CameraChannel.h"

namespace bench {

using namespace ostrivan;

namespace {

struct Row {
    const GUID* set;
    long id;
};
const Row kRows[] = {{&IID_IAMCameraControl, 4}, {&IID_IAMVideoProcAmp, 0}, {&IID_IAMVideoProcAmp, 1}};

// The panel keeps its records between operations.
CameraProperty g_records[3] = {};

}  // namespace

bool ConsoleRefresh(const std::string& name) {
    CameraChannel channel;
    bool ok = OpenCameraChannel(name.c_str(), &channel);
    for (int i = 0; ok && i < 3; ++i) ok = ReadCameraProperty(&channel, *kRows[i].set, kRows[i].id, &g_records[i]);
    CloseCameraChannel(&channel);
    return ok;
}

bool ConsoleWrite(const std::string& name, long brightness) {
    g_records[1].value = static_cast<int32_t>(brightness);
    CameraChannel channel;
    bool ok = OpenCameraChannel(name.c_str(), &channel);
    for (int i = 0; ok && i < 3; ++i) ok = WriteCameraProperty(&channel, *kRows[i].set, kRows[i].id, &g_records[i]);
    CloseCameraChannel(&channel);
    return ok;
}

}  // namespace bench
