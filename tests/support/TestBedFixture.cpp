#include "support/TestBedFixture.h"

#include "base/UniqueHandle.h"

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

StartedProgram::~StartedProgram() {
    if (!process_) return;
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "a program the test started was still running";
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, driving::kHangLimitMs);
    }
    ::CloseHandle(process_);
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

int RunProgramWithOutput(const std::string& commandLine, std::string* output, DWORD timeoutMs) {
    if (!output) return RunProgram(commandLine, nullptr, timeoutMs);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    // Large enough for anything the test-bed tools print, so the child never
    // waits for this side, which reads only after the child has ended.
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 65536)) return -1;
    ostrivan::UniqueHandle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ostrivan::UniqueHandle child(process.hProcess), thread(process.hThread);
    writer.reset();  // the child's copy is the only writer left: reading ends once it has gone
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(child.get(), timeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(child.get(), &code);
    } else {
        ::TerminateProcess(child.get(), 1);
        ::WaitForSingleObject(child.get(), timeoutMs);
    }
    output->clear();
    char chunk[512];
    DWORD got = 0;
    while (::ReadFile(reader.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) output->append(chunk, got);
    return static_cast<int>(code);
}

}  // namespace testsupport
