// COM for the length of one operation on the calling thread. A thread that
// already uses COM in the other apartment mode can still make the calls; only
// an initialisation that this object made is undone.
#pragma once

#include <objbase.h>

namespace ostrivan {

class ComUsage {
public:
    ComUsage() {
        HRESULT result = ::CoInitialize(nullptr);
        started_ = SUCCEEDED(result);
        usable_ = started_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComUsage() {
        if (started_) ::CoUninitialize();
    }
    ComUsage(const ComUsage&) = delete;
    ComUsage& operator=(const ComUsage&) = delete;

    bool Usable() const { return usable_; }

private:
    bool started_ = false;
    bool usable_ = false;
};

}  // namespace ostrivan
