// Points this program's imports of one system function at another function
// for the length of a scope, for tests that must make the platform answer
// as it would somewhere else. Every slot of the program's import table that
// names the function is changed, and put back by the destructor.
#pragma once

#include <windows.h>

#include <vector>

namespace testsupport {

class ImportPatch {
public:
    // The original's address is given to `original` (null when the program
    // does not import the function; nothing is patched then).
    ImportPatch(const char* library, const char* function, void* replacement, void** original);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool patched() const { return !slots_.empty(); }

private:
    std::vector<void**> slots_;
    void* original_ = nullptr;
};

}  // namespace testsupport
