#include "tool/VirtualCameraCommands.h"

#include "devices/VirtualCameras.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace camtestbed {

const char kVirtualCameraUsage[] =
    "       camtestbed camera <n> <description> [--bare] [--interfaces MASK] [--pins 0|1] [--failures MASK]\n"
    "       camtestbed property <n> camera|procamp|vendor <id> <min> <max> <step> <default> <value> <flags>\n"
    "                  [--caps N] [--failures MASK]\n"
    "       camtestbed withdraw <n> camera|procamp|vendor <id>\n"
    "       camtestbed fail <n> camera|procamp|vendor <id> <MASK>\n"
    "       camtestbed show <n> camera|procamp|vendor <id>\n"
    "       camtestbed plug <n> [description] | unplug <n> | cameras\n"
    "  interfaces: 1 property set, 2 camera control, 4 picture control, 8 video control\n"
    "  camera failures: 1 pin enumeration, 2 taking a pin; property failures: 1 range, 2 get, 4 set\n";

namespace {

using testbed::ControlGroup;

bool Number(const char* text, long* value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 0);
    if (!text[0] || *end) return false;
    *value = parsed;
    return true;
}

bool Group(const char* text, ControlGroup* group) {
    if (std::strcmp(text, "camera") == 0) *group = ControlGroup::CameraControl;
    else if (std::strcmp(text, "procamp") == 0) *group = ControlGroup::ProcAmp;
    else if (std::strcmp(text, "vendor") == 0) *group = ControlGroup::Vendor;
    else return false;
    return true;
}

int Fail(const char* what) {
    std::fprintf(stderr, "camtestbed: %s\n", what);
    return 1;
}

int Camera(int argc, char** argv) {
    long index = 0;
    if (argc < 4 || !Number(argv[2], &index)) return 2;
    testbed::VirtualCameraSpec config;
    config.description = argv[3];
    bool bare = false;
    for (int i = 4; i < argc; ++i) {
        long value = 0;
        if (std::strcmp(argv[i], "--bare") == 0) {
            bare = true;
        } else if (i + 1 < argc && Number(argv[i + 1], &value) && std::strcmp(argv[i], "--interfaces") == 0) {
            config.interfaces = static_cast<DWORD>(value), ++i;
        } else if (i + 1 < argc && Number(argv[i + 1], &value) && std::strcmp(argv[i], "--pins") == 0) {
            config.pinCount = static_cast<DWORD>(value), ++i;
        } else if (i + 1 < argc && Number(argv[i + 1], &value) && std::strcmp(argv[i], "--failures") == 0) {
            config.failures = static_cast<DWORD>(value), ++i;
        } else {
            return 2;
        }
    }
    int n = static_cast<int>(index);
    bool ok = bare ? testbed::WriteVirtualCamera(n, config)
                   : testbed::DefineStandardCamera(n, config.description) && testbed::WriteVirtualCamera(n, config);
    return ok ? 0 : Fail("could not write the camera");
}

int Property(int argc, char** argv) {
    long index = 0, id = 0, n[6] = {};
    ControlGroup group;
    if (argc < 11 || !Number(argv[2], &index) || !Group(argv[3], &group) || !Number(argv[4], &id)) return 2;
    for (int i = 0; i < 6; ++i) {
        if (!Number(argv[5 + i], &n[i])) return 2;
    }
    testbed::ControlState state;
    state.minimum = n[0];
    state.maximum = n[1];
    state.step = n[2];
    state.defaultValue = n[3];
    state.value = n[4];
    state.flags = n[5];
    for (int i = 11; i < argc; i += 2) {
        long value = 0;
        if (i + 1 >= argc || !Number(argv[i + 1], &value)) return 2;
        if (std::strcmp(argv[i], "--caps") == 0) state.capabilities = value;
        else if (std::strcmp(argv[i], "--failures") == 0) state.failures = static_cast<DWORD>(value);
        else return 2;
    }
    return testbed::OfferControl(static_cast<int>(index), group, id, state) ? 0 : Fail("could not write the property");
}

int Show(int argc, char** argv) {
    long index = 0, id = 0;
    ControlGroup group;
    if (argc != 5 || !Number(argv[2], &index) || !Group(argv[3], &group) || !Number(argv[4], &id)) return 2;
    testbed::ControlState s;
    if (!testbed::ReadControl(static_cast<int>(index), group, id, &s)) return Fail("no such property");
    std::printf("min %ld max %ld step %ld default %ld caps %ld value %ld flags %ld failures %lu setcalls %lu\n",
                s.minimum, s.maximum, s.step, s.defaultValue, s.capabilities, s.value, s.flags, s.failures,
                testbed::SetCallCount(static_cast<int>(index), group, id));
    return 0;
}

int PropertyCommand(int argc, char** argv, bool withdraw) {
    long index = 0, id = 0, mask = 0;
    ControlGroup group;
    if (argc < 5 || !Number(argv[2], &index) || !Group(argv[3], &group) || !Number(argv[4], &id)) return 2;
    if (withdraw) return testbed::WithdrawControl(static_cast<int>(index), group, id) ? 0 : Fail("could not withdraw");
    if (argc != 6 || !Number(argv[5], &mask)) return 2;
    return testbed::SetControlFailures(static_cast<int>(index), group, id, static_cast<DWORD>(mask))
               ? 0
               : Fail("no such property");
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
    if (command == "property") return Property(argc, argv);
    if (command == "withdraw") return PropertyCommand(argc, argv, true);
    if (command == "fail") return PropertyCommand(argc, argv, false);
    if (command == "show") return Show(argc, argv);
    if (command == "plug") return Plug(argc, argv, true);
    if (command == "unplug") return Plug(argc, argv, false);
    if (command == "cameras") return List();
    return -1;
}

}  // namespace camtestbed
