// Whether caller-owned memory may be read or written, asked of the memory
// manager (VirtualQuery) rather than by touching it: no fault is ever taken.
#pragma once

#include <cstddef>

namespace ostrivan {

[[nodiscard]] bool IsReadableBlock(const void* address, size_t size);
[[nodiscard]] bool IsWritableBlock(void* address, size_t size);

}  // namespace ostrivan
