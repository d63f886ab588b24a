// Reads or writes one picture control property of a camera from a process of
// its own, so tests can show that the camera's state is shared across processes.
//
//   camera_probe <device name> read <id>          exit code: the value
//   camera_probe <device name> write <id> <value> exit code: 0
// Exit code 1000 when the camera cannot be opened or the property call fails.
#include "camera/CameraChannel.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    using namespace ostrivan;
    if (argc < 4) return 1000;
    const bool write = std::strcmp(argv[2], "write") == 0;
    if (write && argc < 5) return 1000;
    long id = std::strtol(argv[3], nullptr, 10);
    CameraChannel channel;
    int result = 1000;
    CameraProperty property{};
    if (OpenCameraChannel(argv[1], &channel) && ReadCameraProperty(&channel, IID_IAMVideoProcAmp, id, &property)) {
        if (!write) {
            result = property.value;
        } else {
            property.value = std::atoi(argv[4]);
            result = WriteCameraProperty(&channel, IID_IAMVideoProcAmp, id, &property) ? 0 : 1000;
        }
    }
    CloseCameraChannel(&channel);
    return result;
}
