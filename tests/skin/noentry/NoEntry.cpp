// A library named like the skinning library that lacks its export.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI SomethingElse() { return 1; }
