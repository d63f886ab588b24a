// Reading camtestbed's arguments: numbers in C notation, property groups,
// and the one-line refusal every command prints on failure.
#pragma once

#include "devices/VirtualCameraStore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace camtestbed {

inline bool Number(const char* text, long* value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 0);
    if (!text[0] || *end) return false;
    *value = parsed;
    return true;
}

inline bool Group(const char* text, testbed::ControlGroup* group) {
    if (std::strcmp(text, "camera") == 0) *group = testbed::ControlGroup::CameraControl;
    else if (std::strcmp(text, "procamp") == 0) *group = testbed::ControlGroup::ProcAmp;
    else if (std::strcmp(text, "vendor") == 0) *group = testbed::ControlGroup::Vendor;
    else return false;
    return true;
}

inline int Fail(const char* what) {
    std::fprintf(stderr, "camtestbed: %s\n", what);
    return 1;
}

}  // namespace camtestbed
