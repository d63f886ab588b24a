// Puts test windows into the entry points' window seams for one test and
// restores what was there afterwards.
#pragma once

#include "entry/WindowSeams.h"

namespace testsupport {

class SeamOverride {
public:
    SeamOverride() : saved_(ostrivan::ConsoleWindows()) {}
    ~SeamOverride() { ostrivan::ConsoleWindows() = saved_; }
    SeamOverride(const SeamOverride&) = delete;
    SeamOverride& operator=(const SeamOverride&) = delete;
    ostrivan::ConsoleWindowHooks* operator->() { return &ostrivan::ConsoleWindows(); }

private:
    ostrivan::ConsoleWindowHooks saved_;
};

}  // namespace testsupport
