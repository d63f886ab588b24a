// The password edits of the parental dialogs and what is read from them.
//
//   PasswordText        a typed password in one fixed buffer, wiped when it goes
//   PreparePasswordEdit masks an edit and limits it to kMaxPasswordBytes
//   KeepPasswordInLimit cuts an edit's text back to kMaxPasswordBytes bytes
//   ClearPasswordEdit   empties an edit
//   ShowParentalMessage a message box with the parental lock's caption
//
// A password never leaves these buffers except as its hash.
#pragma once

#include "base/Limits.h"

#include <windows.h>

#include <cstddef>

namespace ostrivan {

constexpr size_t kMaxPasswordBytes = kPathSize - 1;  // 259

class PasswordText {
public:
    PasswordText() = default;
    ~PasswordText() { Wipe(); }
    PasswordText(const PasswordText&) = delete;
    PasswordText& operator=(const PasswordText&) = delete;

    // Reads the edit with that id: at most kMaxPasswordBytes bytes.
    void ReadFrom(HWND dialog, int editId);
    const char* c_str() const { return text_; }
    bool empty() const { return text_[0] == '\0'; }
    size_t bytes() const;
    // Whole texts compared byte for byte (the same bytes are the same characters).
    bool SameAs(const PasswordText& other) const;
    void Wipe() { ::SecureZeroMemory(text_, sizeof(text_)); }

private:
    char text_[kPathSize] = {};
};

void PreparePasswordEdit(HWND dialog, int editId);
// Called when the edit's text changed: a text longer than the limit (pasted,
// or double-byte characters the edit counts as one) is cut at the last whole
// character that fits.
void KeepPasswordInLimit(HWND dialog, int editId);
void ClearPasswordEdit(HWND dialog, int editId);

// MessageBox owned by the dialog with the text of textId (the module's own
// text when the library lacks a string it has one for) and the caption
// 57744; style adds the icon and buttons. Returns the button pressed.
int ShowParentalMessage(HWND owner, UINT textId, UINT style);

}  // namespace ostrivan
