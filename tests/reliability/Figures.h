// What the reliability suite counts, per group and over the whole run: a
// group prints its line and fails on any crash, hang or lost value.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace reliability {

struct Figures {
    long cases = 0;
    long crashes = 0;
    long hangs = 0;
    long lost = 0;

    void Add(const Figures& other) {
        cases += other.cases;
        crashes += other.crashes;
        hangs += other.hangs;
        lost += other.lost;
    }
    void Print(const char* what) const {
        std::printf("reliability: %s: cases %ld, crashes %ld, hangs %ld, lost values %ld\n", what, cases, crashes,
                    hangs, lost);
        std::fflush(stdout);
    }
};

// The whole run's figures, printed when the program ends.
inline Figures& Totals() {
    static Figures totals;
    return totals;
}

// Prints a group's figures, adds them to the run's and fails on any fault.
inline void Report(const char* what, const Figures& figures) {
    figures.Print(what);
    Totals().Add(figures);
    EXPECT_EQ(0, figures.crashes) << what;
    EXPECT_EQ(0, figures.hangs) << what;
    EXPECT_EQ(0, figures.lost) << what;
}

constexpr int kTimedOut = -1;

// A process's exit code as a figure: kTimedOut is a hang; a fault's code is
// an NT status with the error bits set.
inline void Count(int exitCode, Figures* figures) {
    if (exitCode == kTimedOut) {
        ++figures->hangs;
    } else if (static_cast<DWORD>(exitCode) >= 0xC0000000u) {
        ++figures->crashes;
    }
}

}  // namespace reliability
