#include "ReferenceRun.h"

#include "base/UniqueHandle.h"
#include "driving/HangLimit.h"

#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace bench {

namespace {

constexpr size_t kMostOutput = 64 * 1024;  // far more than the counts of any number of rounds

bool Fail(const char* what) {
    std::fprintf(stderr, "memory_bench: %s\n", what);
    return false;
}

std::string ProgramBesideThis(const char* name) {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    return "\"" + folder.substr(0, folder.find_last_of('\\') + 1) + name + "\"";
}

bool Parse(const std::string& output, std::vector<testbed::ProcessObjects>* counts) {
    std::istringstream lines(output);
    std::string word;
    while (lines >> word) {
        if (word != "gdi") return false;
        testbed::ProcessObjects count;
        lines >> count.gdi;
        for (int type = 1; type < testbed::ProcessObjects::kGdiTypes; ++type) lines >> count.gdiOfType[type];
        if (!lines) return false;
        counts->push_back(count);
    }
    return !counts->empty();
}

}  // namespace

bool RunMemoryReference(int rounds, std::vector<testbed::ProcessObjects>* counts) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    ostrivan::UniqueHandle reading, writing;
    if (!::CreatePipe(reading.put(), writing.put(), &inherited, 0) ||
        !::SetHandleInformation(reading.get(), HANDLE_FLAG_INHERIT, 0)) {
        return Fail("no pipe for the reference's counts");
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writing.get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::string line = ProgramBesideThis("memory_reference.exe") + " " + std::to_string(rounds);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
        return Fail("the reference program did not start");
    }
    ostrivan::UniqueHandle process(started.hProcess);
    ::CloseHandle(started.hThread);
    // Its copy is the only writer left: the pipe ends with the program.
    writing.reset();
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (output.size() < kMostOutput && ::ReadFile(reading.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    DWORD code = 1;
    if (::WaitForSingleObject(process.get(), driving::kHangLimitMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.get(), &code) || code != 0) {
        return Fail("the reference program failed");
    }
    if (!Parse(output, counts)) return Fail("the reference program's counts could not be read");
    return true;
}

}  // namespace bench
