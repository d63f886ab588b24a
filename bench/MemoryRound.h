// One round of the memory benchmark, done the same way to the console and
// to the minimal reference program, each a window of a thread that takes
// its own messages: refreshes of the view panel, then openings of each
// dialog, each opened by pressing its button (posted, as a user's click
// comes) and closed with Cancel. Reports success as a bool and says on
// stderr what failed.
#pragma once

#include <windows.h>

#include <functional>

namespace bench {

constexpr int kRoundRefreshes = 1000;
constexpr int kRoundOpenings = 100;
// The dialogs opened kRoundOpenings times each: advanced settings (the view
// panel's Advanced button), options (the console's options button), and from
// the options dialog the password prompt (its lock button) and the
// change-password dialog.
constexpr int kDialogsPerOpening = 4;

// `window` holds the buttons; `threadId` runs it and its dialogs.
[[nodiscard]] bool MemoryRound(const std::function<bool()>& refresh, HWND window, DWORD threadId);

}  // namespace bench
