// The console window's rectangle ("CurrentWinPosL", "T", "R", "B") and its
// sections' states ("PanelState%d") as 32-bit numbers under a key of the
// current user; keyPath is always the console key. Each operation opens the
// key, reads or writes and closes it again, and reports success as bool.
#pragma once

#include "settings/SectionStateStore.h"

#include <windows.h>

namespace ostrivan {

class WindowPositionStore : public SectionStateStore {
public:
    bool SaveWindowPosition(LONG left, LONG top, LONG right, LONG bottom, const char* keyPath);
    // Stops at the first side that cannot be read; sides read stay read.
    bool LoadWindowPosition(const char* keyPath, RECT* rectangle);
    bool SavePanelState(DWORD state, const char* keyPath, int index);
    bool LoadPanelState(DWORD* state, const char* keyPath, int index);

    // The section states under the console key.
    bool SaveSectionState(int number, DWORD state) override;
    [[nodiscard]] bool LoadSectionState(int number, DWORD* state) override;
};

}  // namespace ostrivan
