// camtestbed: adds, removes and lists the test bed's cameras in the Wine prefix.
//
//   camtestbed add <instance-id> <description> [--hwid ID]... [--no-driver]
//   camtestbed remove <instance-id>
//   camtestbed driver <instance-id> on|off
//   camtestbed clear        (also unplugs and forgets the virtual cameras)
//   camtestbed list
// and the virtual camera commands of VirtualCameraCommands.cpp (camera,
// behaviour, latency, binds, plug, unplug, cameras) and PropertyCommands.cpp
// (property, withdraw, fail, show).
#include "devices/TestBedDevices.h"
#include "devices/VirtualCameras.h"
#include "tool/PropertyCommands.h"
#include "tool/VirtualCameraCommands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage() {
    std::fputs(
        "usage: camtestbed add <instance-id> <description> [--hwid ID]... [--no-driver]\n"
        "       camtestbed remove <instance-id>\n"
        "       camtestbed driver <instance-id> on|off\n"
        "       camtestbed clear | list\n",
        stderr);
    std::fputs(camtestbed::kVirtualCameraUsage, stderr);
    std::fputs(camtestbed::kPropertyUsage, stderr);
    return 2;
}

int Add(int argc, char** argv) {
    if (argc < 4) return Usage();
    testbed::DeviceSpec device;
    device.instanceId = argv[2];
    device.description = argv[3];
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hwid") == 0 && i + 1 < argc) {
            device.hardwareIds.emplace_back(argv[++i]);
        } else if (std::strcmp(argv[i], "--no-driver") == 0) {
            device.driverLoaded = false;
        } else {
            return Usage();
        }
    }
    if (device.hardwareIds.empty()) device.hardwareIds.emplace_back(testbed::kCameraHardwareId);
    if (!testbed::AddImageDevice(device)) {
        std::fprintf(stderr, "camtestbed: could not add %s\n", device.instanceId.c_str());
        return 1;
    }
    std::printf("added %s \"%s\"\n", device.instanceId.c_str(), device.description.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command == "add") return Add(argc, argv);
    if (command == "remove" && argc == 3) return testbed::RemoveImageDevice(argv[2]) ? 0 : 1;
    if (command == "driver" && argc == 4) return testbed::SetDriverLoaded(argv[2], std::strcmp(argv[3], "on") == 0) ? 0 : 1;
    if (command == "clear") {
        testbed::RemoveAllVirtualCameras();
        testbed::RemoveAllImageDevices();
        return 0;
    }
    if (command == "list") {
        for (const auto& id : testbed::ListImageDevices()) std::printf("%s\n", id.c_str());
        return 0;
    }
    int result = camtestbed::RunVirtualCameraCommand(argc, argv);
    return result == -1 || result == 2 ? Usage() : result;
}
