// The size of the installed module of this program's architecture (in the
// system folder this program sees: the 32-bit one for x86, as the scripts
// install it and as a user would) against its limit. One value:
// a file's size does not vary from run to run. Prints one row of the
// benchmark's table.
#include "Table.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr double kLimitKb = 450;  // KB of 1024 bytes

}  // namespace

int main() {
    char folder[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    const std::string path = std::string(folder) + "\\Ostrivan.dll";
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) {
        std::fprintf(stderr, "module_size: %s is not installed\n", path.c_str());
        return 1;
    }
    const double kb = static_cast<double>(file.nFileSizeLow) / 1024.0;
    bench::PrintRow("size of the installed module Ostrivan.dll / the target", bench::FormatOne(kb, "KB"),
                    bench::FormatOne(kLimitKb, "KB"), "<= 450 KB", kb <= kLimitKb);
    return 0;
}
