// A block of caller memory that ends right before an inaccessible page, so
// that any read or write past its size faults. Its own page's protection can
// be changed to read-only or no access.
#pragma once

#include <windows.h>

#include <cstddef>

namespace testsupport {

class GuardedBlock {
public:
    explicit GuardedBlock(size_t size) {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        page_ = info.dwPageSize;
        base_ = static_cast<char*>(::VirtualAlloc(nullptr, page_ * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
        data_ = base_ + page_ - size;
    }
    ~GuardedBlock() { ::VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    char* data() { return data_; }
    void Protect(DWORD protection) {
        DWORD old = 0;
        ::VirtualProtect(base_, page_, protection, &old);
    }

private:
    size_t page_ = 0;
    char* base_ = nullptr;
    char* data_ = nullptr;
};

}  // namespace testsupport
