#include "devices/VirtualCameraStore.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "devices/TextCodes.h"

#include <algorithm>
#include <cstdlib>

namespace testbed {

using ostrivan::UniqueHandle;
using ostrivan::UniqueKey;

namespace {

// {6F3D2A10-8C4B-4E71-9A05-3B7C1E2D0000}; the last two bytes carry the index.
constexpr CLSID kClsidBase = {0x6F3D2A10, 0x8C4B, 0x4E71, {0x9A, 0x05, 0x3B, 0x7C, 0x1E, 0x2D, 0x00, 0x00}};

const char* GroupName(ControlGroup group) {
    switch (group) {
        case ControlGroup::CameraControl: return "CameraControl";
        case ControlGroup::ProcAmp: return "ProcAmp";
        case ControlGroup::Vendor: return "Vendor";
    }
    return "Unknown";
}

bool ValidIndex(int index) { return index >= 1 && index <= kMaxVirtualCameras; }

std::string CameraPath(int index) { return std::string(kVirtualCamerasKey) + "\\" + std::to_string(index); }

std::string ControlPath(int index, ControlGroup group, LONG id) {
    return CameraPath(index) + "\\" + GroupName(group) + "\\" + std::to_string(id);
}

UniqueKey OpenKey(const std::string& path, REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExA(SharedMachineKey(), path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
    return key;
}

UniqueKey CreateKey(const std::string& path) {
    UniqueKey key;
    if (::RegCreateKeyExA(SharedMachineKey(), path.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

bool PutNumber(HKEY key, const char* name, DWORD value) {
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool GetNumber(HKEY key, const char* name, DWORD* value) {
    DWORD type = 0, data = 0, size = sizeof(data);
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data)) {
        return false;
    }
    *value = data;
    return true;
}

DWORD NumberOr(HKEY key, const char* name, DWORD fallback) {
    DWORD value = fallback;
    return GetNumber(key, name, &value) ? value : fallback;
}

// Read-modify-write of a counter, held against other processes doing the same.
class CounterLock {
public:
    CounterLock() : mutex_(::CreateMutexA(nullptr, FALSE, "CameraTestBedStoreCounters")) {
        if (mutex_) {
            DWORD wait = ::WaitForSingleObject(mutex_.get(), 10000);
            held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        }
    }
    ~CounterLock() {
        if (held_) ::ReleaseMutex(mutex_.get());
    }
    CounterLock(const CounterLock&) = delete;
    CounterLock& operator=(const CounterLock&) = delete;

private:
    UniqueHandle mutex_;
    bool held_ = false;
};

bool CountUp(HKEY key, const char* name) { return PutNumber(key, name, NumberOr(key, name, 0) + 1); }

bool DeleteTree(const std::string& path) {
    LSTATUS status = ::RegDeleteTreeA(SharedMachineKey(), path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return false;
    ::RegDeleteKeyA(SharedMachineKey(), path.c_str());
    return true;
}

}  // namespace

bool WriteVirtualCamera(int index, const VirtualCameraSpec& config) {
    if (!ValidIndex(index) || config.latencyMs > kMaxLatencyMs) return false;
    UniqueKey key = CreateKey(CameraPath(index));
    if (!key) return false;
    std::wstring description = Utf8ToWide(config.description);
    return ::RegSetValueExW(key.get(), L"Description", 0, REG_SZ, reinterpret_cast<const BYTE*>(description.c_str()),
                            static_cast<DWORD>((description.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
           PutNumber(key.get(), "Interfaces", config.interfaces) && PutNumber(key.get(), "PinCount", config.pinCount) &&
           PutNumber(key.get(), "Failures", config.failures) && PutNumber(key.get(), "Behaviour", config.behaviour) &&
           PutNumber(key.get(), "Latency", config.latencyMs);
}

bool ReadVirtualCamera(int index, VirtualCameraSpec* config) {
    if (!config || !ValidIndex(index)) return false;
    UniqueKey key = OpenKey(CameraPath(index), KEY_QUERY_VALUE);
    if (!key) return false;
    wchar_t text[1024] = {};
    DWORD type = 0, size = sizeof(text) - sizeof(wchar_t);
    if (::RegQueryValueExW(key.get(), L"Description", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    config->description = WideToUtf8(text);
    config->interfaces = NumberOr(key.get(), "Interfaces", kOfferAll);
    config->pinCount = NumberOr(key.get(), "PinCount", 1);
    config->failures = NumberOr(key.get(), "Failures", 0);
    config->behaviour = NumberOr(key.get(), "Behaviour", 0);
    config->latencyMs = std::min<DWORD>(NumberOr(key.get(), "Latency", 0), kMaxLatencyMs);
    return true;
}

bool IsCameraPlugged(int index) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE) : UniqueKey();
    return key && NumberOr(key.get(), "Plugged", 0) != 0;
}

bool SetCameraPlugged(int index, bool plugged) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE | KEY_SET_VALUE) : UniqueKey();
    if (!key) return false;
    CounterLock lock;
    return (!plugged || CountUp(key.get(), "Generation")) && PutNumber(key.get(), "Plugged", plugged ? 1 : 0);
}

DWORD CameraGeneration(int index) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE) : UniqueKey();
    return key ? NumberOr(key.get(), "Generation", 0) : 0;
}

bool SetCameraBehaviour(int index, DWORD behaviour) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_SET_VALUE) : UniqueKey();
    return key && PutNumber(key.get(), "Behaviour", behaviour);
}

bool SetCameraLatency(int index, DWORD latencyMs) {
    UniqueKey key = ValidIndex(index) && latencyMs <= kMaxLatencyMs ? OpenKey(CameraPath(index), KEY_SET_VALUE)
                                                                    : UniqueKey();
    return key && PutNumber(key.get(), "Latency", latencyMs);
}

DWORD AnswerLatency(int index) {
    // Read at every bind and answer: one key, two values.
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE) : UniqueKey();
    if (!key || NumberOr(key.get(), "Plugged", 0) == 0) return 0;
    return std::min<DWORD>(NumberOr(key.get(), "Latency", 0), kMaxLatencyMs);
}

std::vector<int> VirtualCameraIndexes() {
    std::vector<int> indexes;
    UniqueKey key = OpenKey(kVirtualCamerasKey, KEY_ENUMERATE_SUB_KEYS);
    if (!key) return indexes;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        int index = std::atoi(name);
        if (ValidIndex(index)) indexes.push_back(index);
    }
    return indexes;
}

bool DeleteVirtualCamera(int index) { return ValidIndex(index) && DeleteTree(CameraPath(index)); }

bool OfferControl(int index, ControlGroup group, LONG id, const ControlState& state) {
    if (!ValidIndex(index)) return false;
    UniqueKey key = CreateKey(ControlPath(index, group, id));
    if (!key) return false;
    ::RegDeleteValueA(key.get(), "LastBuffer");
    return PutNumber(key.get(), "Minimum", static_cast<DWORD>(state.minimum)) &&
           PutNumber(key.get(), "Maximum", static_cast<DWORD>(state.maximum)) &&
           PutNumber(key.get(), "Step", static_cast<DWORD>(state.step)) &&
           PutNumber(key.get(), "Default", static_cast<DWORD>(state.defaultValue)) &&
           PutNumber(key.get(), "Capabilities", static_cast<DWORD>(state.capabilities)) &&
           PutNumber(key.get(), "Value", static_cast<DWORD>(state.value)) &&
           PutNumber(key.get(), "Flags", static_cast<DWORD>(state.flags)) &&
           PutNumber(key.get(), "Failures", state.failures) &&
           PutNumber(key.get(), "AutoValue", static_cast<DWORD>(state.autoValue)) &&
           PutNumber(key.get(), "SetCalls", 0);
}

bool WithdrawControl(int index, ControlGroup group, LONG id) {
    return ValidIndex(index) && DeleteTree(ControlPath(index, group, id));
}

bool ReadControl(int index, ControlGroup group, LONG id, ControlState* state) {
    if (!state || !ValidIndex(index)) return false;
    UniqueKey key = OpenKey(ControlPath(index, group, id), KEY_QUERY_VALUE);
    if (!key) return false;
    ControlState read;
    DWORD n[8] = {};
    if (!GetNumber(key.get(), "Minimum", &n[0]) || !GetNumber(key.get(), "Maximum", &n[1]) ||
        !GetNumber(key.get(), "Step", &n[2]) || !GetNumber(key.get(), "Default", &n[3]) ||
        !GetNumber(key.get(), "Capabilities", &n[4]) || !GetNumber(key.get(), "Value", &n[5]) ||
        !GetNumber(key.get(), "Flags", &n[6]) || !GetNumber(key.get(), "Failures", &n[7])) {
        return false;
    }
    read.minimum = static_cast<LONG>(n[0]);
    read.maximum = static_cast<LONG>(n[1]);
    read.step = static_cast<LONG>(n[2]);
    read.defaultValue = static_cast<LONG>(n[3]);
    read.capabilities = static_cast<LONG>(n[4]);
    read.value = static_cast<LONG>(n[5]);
    read.flags = static_cast<LONG>(n[6]);
    read.failures = n[7];
    read.autoValue = static_cast<LONG>(NumberOr(key.get(), "AutoValue", n[5]));
    *state = read;
    return true;
}

bool StoreControlValue(int index, ControlGroup group, LONG id, LONG value, LONG flags) {
    UniqueKey key = ValidIndex(index) ? OpenKey(ControlPath(index, group, id), KEY_SET_VALUE) : UniqueKey();
    return key && PutNumber(key.get(), "Value", static_cast<DWORD>(value)) &&
           PutNumber(key.get(), "Flags", static_cast<DWORD>(flags));
}

bool SetAutomaticChoice(int index, ControlGroup group, LONG id, LONG value) {
    UniqueKey key = ValidIndex(index) ? OpenKey(ControlPath(index, group, id), KEY_SET_VALUE) : UniqueKey();
    return key && PutNumber(key.get(), "AutoValue", static_cast<DWORD>(value));
}

bool SetControlFailures(int index, ControlGroup group, LONG id, DWORD failures) {
    UniqueKey key = ValidIndex(index) ? OpenKey(ControlPath(index, group, id), KEY_SET_VALUE) : UniqueKey();
    return key && PutNumber(key.get(), "Failures", failures);
}

DWORD SetCallCount(int index, ControlGroup group, LONG id) {
    UniqueKey key = ValidIndex(index) ? OpenKey(ControlPath(index, group, id), KEY_QUERY_VALUE) : UniqueKey();
    return key ? NumberOr(key.get(), "SetCalls", 0) : 0;
}

bool CountSetCall(int index, ControlGroup group, LONG id) {
    UniqueKey key =
        ValidIndex(index) ? OpenKey(ControlPath(index, group, id), KEY_QUERY_VALUE | KEY_SET_VALUE) : UniqueKey();
    if (!key) return false;
    CounterLock lock;
    return CountUp(key.get(), "SetCalls");
}

bool StoreLastBuffer(int index, LONG id, const void* data, DWORD size) {
    UniqueKey key =
        ValidIndex(index) ? OpenKey(ControlPath(index, ControlGroup::Vendor, id), KEY_SET_VALUE) : UniqueKey();
    return key && ::RegSetValueExA(key.get(), "LastBuffer", 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
                      ERROR_SUCCESS;
}

std::string LastBuffer(int index, LONG id) {
    UniqueKey key =
        ValidIndex(index) ? OpenKey(ControlPath(index, ControlGroup::Vendor, id), KEY_QUERY_VALUE) : UniqueKey();
    char data[256];
    DWORD type = 0, size = sizeof(data);
    if (!key || ::RegQueryValueExA(key.get(), "LastBuffer", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
                    ERROR_SUCCESS) {
        return std::string();
    }
    return std::string(data, size);
}

namespace {

// Binds alive now are kept per binding process, one value each under
// LiveBinds named "<process id>.<process start>" with two numbers: binds
// alive and, of those, binds by threads that show no window. A process that
// ends while one of its binds is held leaves its value behind; counting
// skips (and drops) the values of processes that are gone, as a driver lets
// go of the handles of a process that ended.
constexpr const char* kLiveBindsKey = "LiveBinds";

struct LiveBinds {
    DWORD now = 0;
    DWORD inBackground = 0;
};

ULONGLONG ProcessStart(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string ThisProcessName() {
    return std::to_string(::GetCurrentProcessId()) + "." + std::to_string(ProcessStart(::GetCurrentProcess()));
}

bool ProcessRuns(const std::string& name) {
    const size_t dot = name.find('.');
    if (dot == std::string::npos) return false;
    const DWORD id = static_cast<DWORD>(std::strtoul(name.c_str(), nullptr, 10));
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, id));
    // An id given again to a later process has another start.
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT &&
           std::to_string(ProcessStart(process.get())) == name.substr(dot + 1);
}

bool GetLiveBinds(HKEY key, const char* name, LiveBinds* binds) {
    DWORD type = 0, size = sizeof(*binds);
    return ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(binds), &size) == ERROR_SUCCESS &&
           type == REG_BINARY && size == sizeof(*binds);
}

// Sums the binds of processes that still run; call under the counter lock.
LiveBinds SumLiveBinds(HKEY camera) {
    LiveBinds sum;
    UniqueKey key;
    if (::RegOpenKeyExA(camera, kLiveBindsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) {
        return sum;
    }
    std::vector<std::string> gone;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumValueA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        LiveBinds binds;
        if (!ProcessRuns(name) || !GetLiveBinds(key.get(), name, &binds)) {
            gone.emplace_back(name);
            continue;
        }
        sum.now += binds.now;
        sum.inBackground += binds.inBackground;
    }
    for (const std::string& name : gone) ::RegDeleteValueA(key.get(), name.c_str());
    return sum;
}

// This process's record changed by one bind; call under the counter lock.
bool ChangeOwnBinds(HKEY camera, int change, bool background) {
    UniqueKey key;
    if (::RegCreateKeyExA(camera, kLiveBindsKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::string name = ThisProcessName();
    LiveBinds binds;
    (void)GetLiveBinds(key.get(), name.c_str(), &binds);
    const DWORD step = static_cast<DWORD>(change);  // +1 or -1, by unsigned wrap
    // A camera defined anew while a bind lived has no record of it.
    if (change > 0 || binds.now > 0) binds.now += step;
    if (background && (change > 0 || binds.inBackground > 0)) binds.inBackground += step;
    if (binds.now == 0) {
        LSTATUS status = ::RegDeleteValueA(key.get(), name.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    return ::RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&binds),
                            sizeof(binds)) == ERROR_SUCCESS;
}

bool RaiseMost(HKEY key, const char* mostName, DWORD now) {
    return now <= NumberOr(key, mostName, 0) || PutNumber(key, mostName, now);
}

bool ChangeBinds(int index, int change, bool background) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE | KEY_SET_VALUE) : UniqueKey();
    if (!key) return false;
    CounterLock lock;
    if (!ChangeOwnBinds(key.get(), change, background)) return false;
    if (change < 0) return true;
    const LiveBinds live = SumLiveBinds(key.get());
    return CountUp(key.get(), "Binds") && RaiseMost(key.get(), "MostBound", live.now) &&
           (!background || RaiseMost(key.get(), "MostBackgroundBound", live.inBackground));
}

}  // namespace

bool CountBindStarted(int index, bool background) { return ChangeBinds(index, 1, background); }
bool CountBindEnded(int index, bool background) { return ChangeBinds(index, -1, background); }

BindCounts ReadBindCounts(int index) {
    BindCounts counts;
    UniqueKey key =
        ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE | KEY_SET_VALUE) : UniqueKey();
    if (!key) return counts;
    CounterLock lock;
    const LiveBinds live = SumLiveBinds(key.get());
    counts.total = NumberOr(key.get(), "Binds", 0);
    counts.now = live.now;
    counts.most = NumberOr(key.get(), "MostBound", 0);
    counts.nowInBackground = live.inBackground;
    counts.mostInBackground = NumberOr(key.get(), "MostBackgroundBound", 0);
    return counts;
}

bool ResetBindCounts(int index) {
    UniqueKey key = ValidIndex(index) ? OpenKey(CameraPath(index), KEY_QUERY_VALUE | KEY_SET_VALUE) : UniqueKey();
    if (!key) return false;
    CounterLock lock;
    const LiveBinds live = SumLiveBinds(key.get());
    return PutNumber(key.get(), "Binds", 0) && PutNumber(key.get(), "MostBound", live.now) &&
           PutNumber(key.get(), "MostBackgroundBound", live.inBackground);
}

ControlState OfferedState(LONG minimum, LONG maximum, LONG step, LONG defaultValue, LONG value, LONG flags,
                          LONG capabilities) {
    ControlState state;
    state.minimum = minimum;
    state.maximum = maximum;
    state.step = step;
    state.defaultValue = defaultValue;
    state.value = value;
    state.autoValue = value;
    state.flags = flags;
    state.capabilities = capabilities;
    return state;
}

CLSID VirtualCameraClsid(int index) {
    CLSID clsid = kClsidBase;
    clsid.Data4[6] = static_cast<BYTE>(index >> 8);
    clsid.Data4[7] = static_cast<BYTE>(index & 0xFF);
    return clsid;
}

bool VirtualCameraIndex(const CLSID& clsid, int* index) {
    CLSID base = clsid;
    base.Data4[6] = base.Data4[7] = 0;
    if (!::IsEqualGUID(base, kClsidBase)) return false;
    int found = (clsid.Data4[6] << 8) | clsid.Data4[7];
    if (!ValidIndex(found)) return false;
    if (index) *index = found;
    return true;
}

}  // namespace testbed
