#include "base/BoundedText.h"

#include <cstring>

namespace ostrivan {

size_t CopyText(char* dest, size_t capacity, const char* source, size_t sourceLimit) {
    if (!dest || capacity == 0) return 0;
    size_t n = 0;
    if (source) {
        while (n + 1 < capacity && n < sourceLimit && source[n] != '\0') {
            dest[n] = source[n];
            ++n;
        }
    }
    dest[n] = '\0';
    return n;
}

bool JoinPath(char* dest, size_t capacity, const char* folder, const char* name) {
    if (!dest || capacity == 0) return false;
    dest[0] = '\0';
    if (!folder || !name) return false;
    size_t length = std::strlen(folder);
    if (length + 1 + std::strlen(name) >= capacity) return false;
    CopyText(dest, capacity, folder);
    dest[length] = '\\';
    CopyText(dest + length + 1, capacity - length - 1, name);
    return true;
}

}  // namespace ostrivan
