#include "support/TestBedFixture.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace testsupport {

void CameraTestBed::SetUp() { testbed::RemoveAllImageDevices(); }
void CameraTestBed::TearDown() { testbed::RemoveAllImageDevices(); }

std::string CameraTestBed::InstanceId(int index) {
    char id[64];
    std::snprintf(id, sizeof(id), "ROOT\\IMAGE\\TB%04d", index);
    return id;
}

std::string CameraTestBed::AddDevice(int index, const std::string& description,
                                     const std::vector<std::string>& hardwareIds, bool driverLoaded) {
    testbed::DeviceSpec device;
    device.instanceId = InstanceId(index);
    device.description = description;
    device.hardwareIds = hardwareIds;
    device.driverLoaded = driverLoaded;
    EXPECT_TRUE(testbed::AddImageDevice(device)) << device.instanceId;
    return device.instanceId;
}

std::string CameraTestBed::AddCamera(int index, const std::string& description, bool driverLoaded) {
    return AddDevice(index, description, {testbed::kCameraHardwareId}, driverLoaded);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

HANDLE StartProgram(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

int RunProgram(const std::string& commandLine, const char* environmentAddition, DWORD timeoutMs) {
    // The child gets this process's environment plus one NAME=value entry.
    std::string environment;
    if (environmentAddition) {
        LPCH block = ::GetEnvironmentStringsA();
        for (LPCH p = block; *p; p += std::strlen(p) + 1) environment.append(p).push_back('\0');
        ::FreeEnvironmentStringsA(block);
        environment.append(environmentAddition).push_back('\0');
        environment.push_back('\0');
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0,
                          environmentAddition ? environment.data() : nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace testsupport
