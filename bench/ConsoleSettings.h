// A console opened, from another process, in one of the settings the
// window stall benchmark measures, and ready (its view panel has read the
// camera): the standalone console through rundll32, the same with its
// advanced settings dialog open, or the integrated console inside the test
// bed's host application. Open and Close report success as a bool and say
// on stderr what failed; an object that goes while its process still runs
// ends the process.
#pragma once

#include "LaunchedWindow.h"

#include <windows.h>

#include <vector>

namespace bench {

enum class ConsoleSetting { Standalone, AdvancedOpen, Integrated };

class ConsoleInSetting {
public:
    [[nodiscard]] bool Open(ConsoleSetting setting);
    // The windows whose thread is measured: the console's window, or with
    // the advanced dialog open the dialog and the console's window (one
    // thread runs both).
    const std::vector<HWND>& targets() const { return targets_; }
    // Closes it as a user does (Cancel first, when the dialog is open) and
    // waits for its process to end.
    [[nodiscard]] bool Close();

private:
    bool OpenStandalone();
    bool OpenAdvancedDialog();
    bool OpenIntegrated();

    ConsoleSetting setting_ = ConsoleSetting::Standalone;
    LaunchedWindow process_;
    HWND console_ = nullptr;
    HWND dialog_ = nullptr;
    std::vector<HWND> targets_;
};

}  // namespace bench
