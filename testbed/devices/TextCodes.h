// Text between the store's UTF-8 and the platform's wide and ANSI forms.
// Text that does not convert gives the empty string (ANSI: the text as it was).
#pragma once

#include <string>

namespace testbed {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const wchar_t* wide);
std::string AnsiFromUtf8(const std::string& utf8);

}  // namespace testbed
