#include "LinuxProcess.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

// Linux reports process times in units of USER_HZ, 100 per second on x86.
constexpr double kTicksPerSecond = 100;

std::string ProcFile(int pid, const char* name) {
    char path[64];
    std::snprintf(path, sizeof path, "Z:\\proc\\%d\\%s", pid, name);
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The prefix as Linux names it, as the processes of this prefix carry it in
// their environment.
std::string PrefixVariable() {
    char prefix[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (length == 0 || length >= sizeof prefix) return {};
    return std::string("WINEPREFIX=") + prefix + '\0';
}

bool HasVariable(const std::string& environment, const std::string& variable) {
    // Entries are separated by NUL; match a whole one.
    size_t at = environment.find(variable);
    while (at != std::string::npos && at != 0 && environment[at - 1] != '\0') at = environment.find(variable, at + 1);
    return at != std::string::npos;
}

}  // namespace

bool LinuxProcess::Find(const std::string& commandLine, const std::string& unless) {
    const std::string prefix = PrefixVariable();
    if (prefix.empty()) return false;
    const std::string wanted = Lower(commandLine), unwanted = Lower(unless);
    int found = 0, count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        char* end = nullptr;
        long pid = std::strtol(entry.cFileName, &end, 10);
        if (pid <= 0 || *end != '\0') continue;
        std::string line = ProcFile(static_cast<int>(pid), "cmdline");
        for (char& c : line) {
            if (c == '\0') c = ' ';
        }
        line = Lower(line);
        if (line.find(wanted) == std::string::npos || (!unwanted.empty() && line.find(unwanted) != std::string::npos)) {
            continue;
        }
        if (!HasVariable(ProcFile(static_cast<int>(pid), "environ"), prefix)) continue;
        found = static_cast<int>(pid);
        ++count;
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    pid_ = count == 1 ? found : 0;
    return pid_ != 0;
}

double LinuxProcess::CpuSeconds() const {
    std::string stat = ProcFile(pid_, "stat");
    // The command name in parentheses may hold spaces; fields follow the last ')'.
    size_t close = stat.rfind(')');
    if (pid_ == 0 || close == std::string::npos) return -1;
    // After ')': state (3), ppid (4) ... utime is field 14, stime field 15.
    const char* field = stat.c_str() + close + 1;
    unsigned long long user = 0, system = 0;
    if (std::sscanf(field, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2) return -1;
    return static_cast<double>(user + system) / kTicksPerSecond;
}

bool LinuxProcess::Gone() const {
    std::string stat = ProcFile(pid_, "stat");
    size_t close = stat.rfind(')');
    return close == std::string::npos || stat.compare(close, 3, ") Z") == 0;
}

}  // namespace bench
