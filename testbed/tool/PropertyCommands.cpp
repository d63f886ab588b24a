#include "tool/PropertyCommands.h"

#include "client/BareCamera.h"
#include "devices/ComScope.h"
#include "tool/CommandArgs.h"

#include <string>

namespace camtestbed {

const char kPropertyUsage[] =
    "       camtestbed property <n> camera|procamp|vendor <id> <min> <max> <step> <default> <value> <flags>\n"
    "                  [--caps N] [--failures MASK] [--auto VALUE]\n"
    "           offers the property with this state (set-call count 0)\n"
    "       camtestbed property <n> camera|procamp|vendor <id> set <value> [<flags>]\n"
    "           another program's write: through the video input devices, as any program\n"
    "           sets it (flags default 2, manual; a vendor value goes at byte 28); counted\n"
    "       camtestbed property <n> camera|procamp|vendor <id> get\n"
    "           another program's read: prints \"value V flags F\"\n"
    "       camtestbed property <n> camera|procamp <id> auto <value>\n"
    "           the camera's own choice while automatic (not a write, not counted)\n"
    "       camtestbed withdraw <n> camera|procamp|vendor <id>\n"
    "       camtestbed fail <n> camera|procamp|vendor <id> <MASK>\n"
    "       camtestbed show <n> camera|procamp|vendor <id>\n"
    "  property failures: 1 range, 2 get, 4 set, 8 the camera goes away at the next call\n"
    "    (marked unplugged; \"unplug <n>\" then removes its device)\n";

namespace {

using testbed::ControlGroup;

struct Target {
    int camera = 0;
    ControlGroup group = ControlGroup::ProcAmp;
    long id = 0;
};

// argv[2..4]: <n> <group> <id>
bool ReadTarget(int argc, char** argv, Target* target) {
    long index = 0;
    if (argc < 5 || !Number(argv[2], &index) || !Group(argv[3], &target->group) || !Number(argv[4], &target->id)) {
        return false;
    }
    target->camera = static_cast<int>(index);
    return true;
}

int Offer(int argc, char** argv, const Target& target) {
    long n[6] = {};
    if (argc < 11) return 2;
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
    state.autoValue = n[4];
    for (int i = 11; i < argc; i += 2) {
        long value = 0;
        if (i + 1 >= argc || !Number(argv[i + 1], &value)) return 2;
        if (std::strcmp(argv[i], "--caps") == 0) state.capabilities = value;
        else if (std::strcmp(argv[i], "--failures") == 0) state.failures = static_cast<DWORD>(value);
        else if (std::strcmp(argv[i], "--auto") == 0) state.autoValue = value;
        else return 2;
    }
    return testbed::OfferControl(target.camera, target.group, target.id, state) ? 0
                                                                                  : Fail("could not write the property");
}

int Refused(const char* what, HRESULT hr) {
    std::fprintf(stderr, "camtestbed: %s (0x%08lX)\n", what, static_cast<unsigned long>(hr));
    return 1;
}

// Reads or writes as another program does: through the platform alone.
int Reach(int argc, char** argv, const Target& target, bool write) {
    long value = 0, flags = 2;
    if (write && (argc < 7 || argc > 8 || !Number(argv[6], &value) || (argc == 8 && !Number(argv[7], &flags)))) {
        return 2;
    }
    if (!write && argc != 6) return 2;
    testbed::VirtualCameraSpec config;
    if (!testbed::ReadVirtualCamera(target.camera, &config)) return Fail("no such camera");
    testbed::ComScope com;
    testbed::BareCamera camera;
    HRESULT hr = camera.Open(config.description);
    if (hr != S_OK) return Refused("the camera is not among the video input devices", hr);
    if (write) {
        hr = camera.Set(target.group, target.id, value, flags);
        return FAILED(hr) ? Refused("the camera refused the value", hr) : 0;
    }
    LONG current = 0, currentFlags = 0;
    hr = camera.Get(target.group, target.id, &current, &currentFlags);
    if (FAILED(hr)) return Refused("the camera did not answer", hr);
    std::printf("value %ld flags %ld\n", current, currentFlags);
    return 0;
}

int Choose(int argc, char** argv, const Target& target) {
    long value = 0;
    if (argc != 7 || !Number(argv[6], &value)) return 2;
    return testbed::SetAutomaticChoice(target.camera, target.group, target.id, value) ? 0 : Fail("no such property");
}

int Property(int argc, char** argv) {
    Target target;
    if (!ReadTarget(argc, argv, &target) || argc < 6) return 2;
    const char* form = argv[5];
    if (std::strcmp(form, "set") == 0) return Reach(argc, argv, target, true);
    if (std::strcmp(form, "get") == 0) return Reach(argc, argv, target, false);
    if (std::strcmp(form, "auto") == 0) return Choose(argc, argv, target);
    return Offer(argc, argv, target);
}

int Show(int argc, char** argv) {
    Target target;
    if (argc != 5 || !ReadTarget(argc, argv, &target)) return 2;
    testbed::ControlState s;
    if (!testbed::ReadControl(target.camera, target.group, target.id, &s)) return Fail("no such property");
    std::printf(
        "min %ld max %ld step %ld default %ld caps %ld value %ld flags %ld auto %ld failures %lu setcalls %lu\n",
        s.minimum, s.maximum, s.step, s.defaultValue, s.capabilities, s.value, s.flags, s.autoValue, s.failures,
        testbed::SetCallCount(target.camera, target.group, target.id));
    return 0;
}

int Withdraw(int argc, char** argv) {
    Target target;
    if (argc != 5 || !ReadTarget(argc, argv, &target)) return 2;
    return testbed::WithdrawControl(target.camera, target.group, target.id) ? 0 : Fail("could not withdraw");
}

int Failures(int argc, char** argv) {
    Target target;
    long mask = 0;
    if (argc != 6 || !ReadTarget(argc, argv, &target) || !Number(argv[5], &mask)) return 2;
    return testbed::SetControlFailures(target.camera, target.group, target.id, static_cast<DWORD>(mask))
               ? 0
               : Fail("no such property");
}

}  // namespace

int RunPropertyCommand(int argc, char** argv) {
    std::string command = argv[1];
    if (command == "property") return Property(argc, argv);
    if (command == "withdraw") return Withdraw(argc, argv);
    if (command == "fail") return Failures(argc, argv);
    if (command == "show") return Show(argc, argv);
    return -1;
}

}  // namespace camtestbed
