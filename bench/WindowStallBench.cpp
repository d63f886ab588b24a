// How long the console's window stops answering while its camera answers
// late: the installed console on a virtual camera that answers every call
// 300 ms late, beside the same console on the same camera answering at
// once, in three settings: the standalone console (rundll32), the same with
// its advanced settings dialog open, and the integrated console inside the
// test bed's host application. Run by scripts/bench.sh; prints one row per
// setting.
//
//   window_stall_bench [runs]     spans of each setting and camera (default 3)
//
// A span is 10 s of WM_NULL sent to the console's window every 10 ms from
// this process (with the dialog open, to the dialog and to the console's
// window), each send timed alone; its figure is the longest wait. Every
// span has a console of its own, started once the camera's latency is set;
// the two cameras alternate, the order turned every run. A span on the slow
// camera must hold refreshes (the camera's count of binds grows), or it
// measured nothing.
#include "ConsoleSettings.h"
#include "StallProbe.h"
#include "Table.h"

#include "devices/VirtualCameras.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::ConsoleSetting;

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr DWORD kSlowMs = 300;
constexpr DWORD kSpanMs = 10000;
constexpr double kTargetMs = 50;

struct Setting {
    ConsoleSetting setting;
    const char* what;
};

const Setting kSettings[] = {
    {ConsoleSetting::Standalone, "standalone console"},
    {ConsoleSetting::AdvancedOpen,
     "standalone console with the advanced settings dialog open (sent to the dialog and to the console's window)"},
    {ConsoleSetting::Integrated, "integrated console inside the test bed's host application"},
};
constexpr int kSettingCount = sizeof kSettings / sizeof kSettings[0];

// One camera's spans of one setting.
struct Side {
    std::vector<double> longestMs;
    std::vector<double> refreshes;
};

// One span: a console of its own on the camera answering after latencyMs.
bool MeasureSpan(ConsoleSetting setting, DWORD latencyMs, Side* side) {
    if (!testbed::SetCameraLatency(kCamera, latencyMs)) {
        std::fputs("window_stall_bench: the camera's latency could not be set\n", stderr);
        return false;
    }
    bench::ConsoleInSetting console;
    if (!console.Open(setting)) return false;
    const DWORD bindsBefore = testbed::ReadBindCounts(kCamera).total;
    double longest = 0;
    if (!bench::LongestSendWait(console.targets(), kSpanMs, &longest)) {
        std::fputs("window_stall_bench: the console stopped answering\n", stderr);
        return false;
    }
    const DWORD refreshes = testbed::ReadBindCounts(kCamera).total - bindsBefore;
    if (!console.Close()) return false;
    if (latencyMs > 0 && refreshes == 0) {
        std::fputs("window_stall_bench: the span held no refresh of the slow camera\n", stderr);
        return false;
    }
    side->longestMs.push_back(longest);
    side->refreshes.push_back(refreshes);
    return true;
}

std::string Range(const std::vector<double>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char text[48];
    if (*low == *high) {
        std::snprintf(text, sizeof text, "%.0f", *low);
    } else {
        std::snprintf(text, sizeof text, "%.0f-%.0f", *low, *high);
    }
    return text;
}

void PrintSetting(const Setting& setting, const Side& slow, const Side& prompt) {
    const bench::Spread slowSpread = bench::SpreadOf(slow.longestMs);
    char what[320];
    std::snprintf(what, sizeof what,
                  "window not answering, %s: longest wait of a WM_NULL sent every %lu ms over %lu s, camera answering "
                  "after %lu ms (%s refreshes in a span) / at once (%s)",
                  setting.what, static_cast<unsigned long>(bench::kProbePeriodMs),
                  static_cast<unsigned long>(kSpanMs / 1000), static_cast<unsigned long>(kSlowMs),
                  Range(slow.refreshes).c_str(), Range(prompt.refreshes).c_str());
    bench::PrintRow(what, bench::Format(slowSpread, "ms"), bench::Format(bench::SpreadOf(prompt.longestMs), "ms"),
                    "<= 50 ms", slowSpread.median <= kTargetMs);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    if (runs < 1) {
        std::fputs("usage: window_stall_bench [runs]\n", stderr);
        return 2;
    }
    testbed::RemoveAllVirtualCameras();
    bool ok = testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) && testbed::PlugVirtualCamera(kCamera);
    if (!ok) std::fputs("window_stall_bench: the virtual camera could not be plugged\n", stderr);
    Side slow[kSettingCount], prompt[kSettingCount];
    for (int run = 0; ok && run < runs; ++run) {
        for (int i = 0; ok && i < kSettingCount; ++i) {
            const ConsoleSetting setting = kSettings[i].setting;
            if (run % 2 == 0) {
                ok = MeasureSpan(setting, 0, &prompt[i]) && MeasureSpan(setting, kSlowMs, &slow[i]);
            } else {
                ok = MeasureSpan(setting, kSlowMs, &slow[i]) && MeasureSpan(setting, 0, &prompt[i]);
            }
        }
    }
    testbed::RemoveAllVirtualCameras();
    if (!ok) return 1;
    for (int i = 0; i < kSettingCount; ++i) PrintSetting(kSettings[i], slow[i], prompt[i]);
    return 0;
}
