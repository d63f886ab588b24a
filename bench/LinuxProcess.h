// The Linux process that runs a Wine process of this prefix, read through
// the /proc file system (drive Z: is the Linux root). Wine's GetProcessTimes
// does not answer for another process (its times stay as they were at the
// start), so CPU time is read where Linux keeps it.
//
// Find reports with a bool; CpuSeconds gives a negative value once the
// process is gone.
#pragma once

#include <string>

namespace bench {

class LinuxProcess {
public:
    // The one live process of this Wine prefix whose command line holds
    // `commandLine` (compared without regard to case) and not `unless`;
    // false when there is none or more than one.
    [[nodiscard]] bool Find(const std::string& commandLine, const std::string& unless);
    // User and system time so far, all threads (ended ones too).
    double CpuSeconds() const;
    // Ended (a zombie waiting for its parent counts as ended).
    bool Gone() const;
    int pid() const { return pid_; }

private:
    int pid_ = 0;
};

}  // namespace bench
