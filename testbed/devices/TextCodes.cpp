#include "devices/TextCodes.h"

#include <windows.h>

namespace testbed {

std::wstring Utf8ToWide(const std::string& utf8) {
    int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

namespace {

std::string Narrow(UINT codePage, const wchar_t* wide) {
    int length = ::WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length - 1));
    return narrow;
}

}  // namespace

std::string WideToUtf8(const wchar_t* wide) { return Narrow(CP_UTF8, wide); }

std::string AnsiFromUtf8(const std::string& utf8) {
    std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty()) return utf8;
    std::string ansi = Narrow(CP_ACP, wide.c_str());
    return ansi.empty() ? utf8 : ansi;
}

}  // namespace testbed
