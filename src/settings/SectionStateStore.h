// Where a window keeps the open or closed state of its numbered sections:
// one 32-bit number per section. Reports success as bool; a failed load
// leaves *state untouched.
#pragma once

#include <windows.h>

namespace ostrivan {

class SectionStateStore {
public:
    virtual bool SaveSectionState(int number, DWORD state) = 0;
    [[nodiscard]] virtual bool LoadSectionState(int number, DWORD* state) = 0;

protected:
    ~SectionStateStore() = default;
};

}  // namespace ostrivan
