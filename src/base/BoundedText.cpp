#include "base/BoundedText.h"

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

}  // namespace ostrivan
