#include "parental/PasswordField.h"

#include "ResourceIds.h"
#include "base/ResourceSource.h"
#include "parental/BuiltInTexts.h"

#include <cstring>
#include <string>

namespace ostrivan {

void PasswordText::ReadFrom(HWND dialog, int editId) {
    Wipe();
    ::GetDlgItemTextA(dialog, editId, text_, sizeof(text_));
    text_[sizeof(text_) - 1] = '\0';
}

size_t PasswordText::bytes() const { return std::strlen(text_); }

bool PasswordText::SameAs(const PasswordText& other) const { return std::strcmp(text_, other.text_) == 0; }

void PreparePasswordEdit(HWND dialog, int editId) {
    HWND edit = ::GetDlgItem(dialog, editId);
    if (!edit) return;
    if (!(::GetWindowLongA(edit, GWL_STYLE) & ES_PASSWORD)) ::SendMessageA(edit, EM_SETPASSWORDCHAR, '*', 0);
    ::SendMessageA(edit, EM_LIMITTEXT, kMaxPasswordBytes, 0);
}

void KeepPasswordInLimit(HWND dialog, int editId) {
    HWND edit = ::GetDlgItem(dialog, editId);
    if (!edit) return;
    int length = ::GetWindowTextLengthA(edit);  // bytes, possibly more than there are
    if (length <= static_cast<int>(kMaxPasswordBytes)) return;
    // Room for every byte the edit may hold: it limits characters, not bytes.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int read = ::GetWindowTextA(edit, &text[0], length + 1);
    size_t fits = 0;
    for (size_t at = 0; at < static_cast<size_t>(read);) {
        size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < static_cast<size_t>(read) ? 2 : 1;
        if (at + step > kMaxPasswordBytes) break;
        at += step;
        fits = at;
    }
    if (static_cast<size_t>(read) > fits) {
        text[fits] = '\0';
        ::SetWindowTextA(edit, text.c_str());
        ::SendMessageA(edit, EM_SETSEL, fits, fits);
    }
    ::SecureZeroMemory(&text[0], text.size());
}

void ClearPasswordEdit(HWND dialog, int editId) { ::SetDlgItemTextA(dialog, editId, ""); }

int ShowParentalMessage(HWND owner, UINT textId, UINT style) {
    std::string text = LoadResourceString(textId);
    if (text.empty()) {
        const char* builtIn = BuiltInParentalText(textId);
        if (builtIn) text = builtIn;
    }
    std::string caption = LoadResourceString(IDS_PARENTAL_CAPTION);
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace ostrivan
