// A fixture that starts and ends every test with no test-bed cameras, and
// helpers to plug cameras of the supported model.
#pragma once

#include "devices/TestBedDevices.h"
#include "driving/HangLimit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

class CameraTestBed : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a supported camera "ROOT\IMAGE\TB<index>" with the given description.
    static std::string AddCamera(int index, const std::string& description, bool driverLoaded = true);
    static std::string AddDevice(int index, const std::string& description, const std::vector<std::string>& hardwareIds,
                                 bool driverLoaded = true);
    static std::string InstanceId(int index);
};

// Runs a program of the build folder under this Wine prefix and returns its
// exit code (or -1 when it could not be started or did not end in time).
int RunProgram(const std::string& commandLine, const char* environmentAddition = nullptr,
               DWORD timeoutMs = driving::kHangLimitMs);

// The same, keeping what the program wrote to its standard output (when output is given).
int RunProgramWithOutput(const std::string& commandLine, std::string* output, DWORD timeoutMs = driving::kHangLimitMs);

// Starts a program without waiting; returns its process handle (null on failure).
HANDLE StartProgram(const std::string& commandLine);

// A program started for one test, which the test waits for. One it leaves
// running fails the test and is ended by force.
class StartedProgram {
public:
    explicit StartedProgram(const std::string& commandLine) : process_(StartProgram(commandLine)) {}
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    HANDLE get() const { return process_; }
    bool Ended(DWORD ms = driving::kHangLimitMs) const {
        return process_ && ::WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
    }

private:
    HANDLE process_;
};

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

}  // namespace testsupport
