// Copies into fixed text buffers: always cut to fit and terminated.
#pragma once

#include <cstddef>

namespace ostrivan {

// Copies at most capacity - 1 bytes of source (stopping at its NUL, or after
// sourceLimit bytes when given) and terminates. Returns the bytes copied.
size_t CopyText(char* dest, size_t capacity, const char* source, size_t sourceLimit = static_cast<size_t>(-1));

template <size_t N>
size_t CopyText(char (&dest)[N], const char* source, size_t sourceLimit = static_cast<size_t>(-1)) {
    return CopyText(dest, N, source, sourceLimit);
}

// folder + "\\" + name into dest (capacity bytes). False, with dest empty,
// when it does not fit.
bool JoinPath(char* dest, size_t capacity, const char* folder, const char* name);

}  // namespace ostrivan
