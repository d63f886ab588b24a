// The parental password: its 32-bit hash (from the MD5 digest of the bytes
// as typed) and the check against the hash the camera's driver side keeps in
// the local-machine value "Reserved2" of the console key. The console only
// reads that value.
//
// Errors: PasswordHash returns false when the platform's cryptographic
// services cannot give the digest; *hash is then untouched.
#pragma once

#include <cstdint>

namespace ostrivan {

// Hash of the NUL-terminated text's bytes (the terminator excluded).
[[nodiscard]] bool PasswordHash(const char* text, uint32_t* hash);
// Gives the stored hash and true, or false when no password is set.
[[nodiscard]] bool ReadStoredPasswordHash(uint32_t* hash);
// False for a null or empty text, a hash that cannot be computed, or no stored hash.
[[nodiscard]] bool CheckPassword(const char* text);

}  // namespace ostrivan
