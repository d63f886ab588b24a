// The benchmark's one table: every program of scripts/bench.sh prints its
// rows here, each figure as median with minimum and maximum of its runs,
// beside its reference measured in the same run.
//
//   Spread, SpreadOf   median, minimum and maximum of a figure's runs
//   Format, FormatOne  a figure's cell: a spread, or one value that does not vary
//   PrintHeader        the header (scripts/bench.sh prints it once)
//   PrintRow           one row, with the ratio column or without one
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
    Spread s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    s.median = values[values.size() / 2];
    s.min = values.front();
    s.max = values.back();
    return s;
}

// Three significant digits, but whole numbers of 100 and more in full
// (counts of handles, kilobytes), never in exponent form.
inline std::string Number(double value) {
    char text[32];
    if (value >= 100 || value <= -100) {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else {
        std::snprintf(text, sizeof text, "%.3g", value);
    }
    return text;
}

inline std::string Format(const Spread& s, const char* unit) {
    std::string after = *unit ? std::string(" ") + unit : std::string();
    return Number(s.median) + after + " (" + Number(s.min) + "-" + Number(s.max) + ")";
}

// A figure measured once because it cannot vary (a file's size).
inline std::string FormatOne(double value, const char* unit) { return Number(value) + " " + unit; }

inline void PrintHeader() {
    std::printf("| measured | console: median (min-max) | reference: median (min-max) | console/reference | target | met |\n");
    std::printf("|---|---|---|---|---|---|\n");
    std::fflush(stdout);
}

// Every row names the architecture it measured: the benchmark programs are
// built for both, and each drives the module of its own architecture.
#if defined(_WIN64)
constexpr const char* kArchitecture = "x64";
#else
constexpr const char* kArchitecture = "x86";
#endif

// One row: `ratio` is the console's median over the reference's (or the
// figure the target is about, when there is no ratio), `met` whether it is
// within `target`.
inline void PrintRow(const char* what, const std::string& console, const std::string& reference, double ratio,
                     const char* target, bool met) {
    std::printf("| %s: %s | %s | %s | %.2f | %s | %s |\n", kArchitecture, what, console.c_str(), reference.c_str(), ratio, target,
                met ? "yes" : "NO");
    std::fflush(stdout);
}

// A row whose target is about the figure itself, not a ratio (the ratio
// column shows a dash).
inline void PrintRow(const char* what, const std::string& console, const std::string& reference, const char* target,
                     bool met) {
    std::printf("| %s: %s | %s | %s | - | %s | %s |\n", kArchitecture, what, console.c_str(), reference.c_str(), target,
                met ? "yes" : "NO");
    std::fflush(stdout);
}

}  // namespace bench
