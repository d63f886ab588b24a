// Runs work that allocates and turns an allocation failure into false, for
// code whose callers expect a plain answer (threads, the host's calls).
#pragma once

#include <new>

namespace ostrivan {

template <typename Work>
[[nodiscard]] bool TryAllocating(Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace ostrivan
