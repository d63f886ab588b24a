#include "tool/VirtualCameraCommands.h"

#include "devices/VirtualCameras.h"
#include "tool/CommandArgs.h"
#include "tool/PropertyCommands.h"

#include <string>

namespace camtestbed {

const char kVirtualCameraUsage[] =
    "       camtestbed camera <n> <description> [--real | --fallback | --bare] [--interfaces MASK]\n"
    "                  [--pins 0|1] [--failures MASK] [--behaviour MASK] [--latency MS]\n"
    "           defines the camera with the console's properties: plain and lenient, or\n"
    "           --real: acts as a real camera (behaviour 27), backlight 0..1 default 1,\n"
    "                   power line 0..3 holding 3, exposure automatic (its own choice -5)\n"
    "           --fallback: --real without power line on the picture interface;\n"
    "                   private property 259 holds 3 (60 Hz)\n"
    "           --bare: only the camera's own settings, its properties stay\n"
    "       camtestbed behaviour <n> <MASK>\n"
    "       camtestbed latency <n> <MS>     a slow camera: its binds and every call it answers\n"
    "           (property range, get, set, private properties, video control) come MS ms\n"
    "           late (0 to 10000; 0 answers at once)\n"
    "       camtestbed plug <n> [description] | unplug <n> | cameras\n"
    "       camtestbed binds <n> [reset]     prints \"binds B now N most M\": capture devices\n"
    "           bound so far, bound now, most bound at once (reset: count anew from now)\n"
    "  interfaces: 1 property set, 2 camera control, 4 picture control, 8 video control\n"
    "  camera failures: 1 pin enumeration, 2 taking a pin\n"
    "  behaviour: 1 automatic mode leaves the value to the camera, 2 strict writes (flags\n"
    "    exactly 1 or 2, a mode the capabilities offer, a value in range), 4 a value off\n"
    "    the step fails, 8 a value off the step is rounded, 16 a device bound before an\n"
    "    unplug stays dead, 32 a bind by a thread showing no window waits while a test\n"
    "    holds the camera's bind gate closed\n";

namespace {

using testbed::CameraPreset;

int Camera(int argc, char** argv) {
    long index = 0;
    if (argc < 4 || !Number(argv[2], &index)) return 2;
    const int n = static_cast<int>(index);
    CameraPreset preset = CameraPreset::Standard;
    bool bare = false;
    // Options given override the preset's camera settings.
    constexpr int kOptions = 5;
    long given[kOptions] = {-1, -1, -1, -1, -1};  // interfaces, pins, failures, behaviour, latency
    const char* names[kOptions] = {"--interfaces", "--pins", "--failures", "--behaviour", "--latency"};
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bare") == 0) {
            bare = true;
            continue;
        }
        if (std::strcmp(argv[i], "--real") == 0) {
            preset = CameraPreset::Real;
            continue;
        }
        if (std::strcmp(argv[i], "--fallback") == 0) {
            preset = CameraPreset::PowerLineFallback;
            continue;
        }
        int option = 0;
        while (option < kOptions && std::strcmp(argv[i], names[option]) != 0) ++option;
        long value = 0;
        if (option == kOptions || i + 1 >= argc || !Number(argv[i + 1], &value) || value < 0) return 2;
        given[option] = value;
        ++i;
    }
    testbed::VirtualCameraSpec config;
    if (bare) {
        testbed::ReadVirtualCamera(n, &config);
    } else if (!testbed::DefineCamera(n, argv[3], preset) || !testbed::ReadVirtualCamera(n, &config)) {
        return Fail("could not write the camera");
    }
    config.description = argv[3];
    DWORD* fields[kOptions] = {&config.interfaces, &config.pinCount, &config.failures, &config.behaviour,
                               &config.latencyMs};
    for (int option = 0; option < kOptions; ++option) {
        if (given[option] >= 0) *fields[option] = static_cast<DWORD>(given[option]);
    }
    return testbed::WriteVirtualCamera(n, config) ? 0 : Fail("could not write the camera");
}

int Behaviour(int argc, char** argv) {
    long index = 0, mask = 0;
    if (argc != 4 || !Number(argv[2], &index) || !Number(argv[3], &mask)) return 2;
    return testbed::SetCameraBehaviour(static_cast<int>(index), static_cast<DWORD>(mask)) ? 0 : Fail("no such camera");
}

int Latency(int argc, char** argv) {
    long index = 0, ms = 0;
    if (argc != 4 || !Number(argv[2], &index) || !Number(argv[3], &ms) || ms < 0 ||
        ms > static_cast<long>(testbed::kMaxLatencyMs)) {
        return 2;
    }
    return testbed::SetCameraLatency(static_cast<int>(index), static_cast<DWORD>(ms)) ? 0 : Fail("no such camera");
}

int Binds(int argc, char** argv) {
    long index = 0;
    if (argc < 3 || argc > 4 || !Number(argv[2], &index) || (argc == 4 && std::strcmp(argv[3], "reset") != 0)) return 2;
    const int n = static_cast<int>(index);
    testbed::VirtualCameraSpec config;
    if (!testbed::ReadVirtualCamera(n, &config)) return Fail("no such camera");
    if (argc == 4) return testbed::ResetBindCounts(n) ? 0 : Fail("could not reset the counts");
    testbed::BindCounts counts = testbed::ReadBindCounts(n);
    std::printf("binds %lu now %lu most %lu\n", counts.total, counts.now, counts.most);
    return 0;
}

int Plug(int argc, char** argv, bool plug) {
    long index = 0;
    if (argc < 3 || argc > (plug ? 4 : 3) || !Number(argv[2], &index)) return 2;
    int n = static_cast<int>(index);
    testbed::VirtualCameraSpec config;
    if (argc == 4 && !testbed::ReadVirtualCamera(n, &config) && !testbed::DefineStandardCamera(n, argv[3])) {
        return Fail("could not write the camera");
    }
    bool ok = plug ? testbed::PlugVirtualCamera(n) : testbed::UnplugVirtualCamera(n);
    return ok ? 0 : Fail(plug ? "could not plug the camera" : "could not unplug the camera");
}

int List() {
    for (int index : testbed::VirtualCameraIndexes()) {
        testbed::VirtualCameraSpec config;
        if (!testbed::ReadVirtualCamera(index, &config)) continue;
        std::printf("%d %s \"%s\"\n", index, testbed::IsCameraPlugged(index) ? "plugged" : "unplugged",
                    config.description.c_str());
    }
    return 0;
}

}  // namespace

int RunVirtualCameraCommand(int argc, char** argv) {
    std::string command = argv[1];
    if (command == "camera") return Camera(argc, argv);
    if (command == "behaviour") return Behaviour(argc, argv);
    if (command == "latency") return Latency(argc, argv);
    if (command == "binds") return Binds(argc, argv);
    if (command == "plug") return Plug(argc, argv, true);
    if (command == "unplug") return Plug(argc, argv, false);
    if (command == "cameras") return List();
    return RunPropertyCommand(argc, argv);
}

}  // namespace camtestbed
