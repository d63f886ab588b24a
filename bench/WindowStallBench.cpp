// How long the standalone console's window stops answering during one
// refresh from its camera: the installed console (rundll32) on a virtual
// camera that answers every call 300 ms late, beside the same console on
// the same camera answering at once. Run by scripts/bench.sh; prints one
// row of the benchmark's table.
//
//   window_stall_bench [refreshes]     refreshes timed per camera (default 9)
//
// The refresh runs on the window's thread, so a message sent to the window
// waits until it is over. This program sends the window WM_NULL over and
// over and keeps, for each refresh (told apart by the camera's bind count),
// the longest wait of a message sent while it ran.
#include "BenchClock.h"
#include "LaunchedWindow.h"
#include "Table.h"

#include "devices/VirtualCameras.h"
#include "driving/HangLimit.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr char kTitle[] = "XC0730 Camera Console";
constexpr DWORD kSlowMs = 300;
using driving::kHangLimitMs;

// The longest wait of a message during each of `count` refreshes of a
// console on the camera, answering after `latencyMs`; empty on failure.
std::vector<double> StallsPerRefresh(DWORD latencyMs, int count) {
    std::vector<double> stalls;
    if (!testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) ||
        !testbed::SetCameraLatency(kCamera, latencyMs) || !testbed::PlugVirtualCamera(kCamera)) {
        std::fputs("window_stall_bench: the virtual camera could not be plugged\n", stderr);
        return stalls;
    }
    bench::LaunchedWindow console;
    if (!console.Start("rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP", kTitle)) {
        std::fputs("window_stall_bench: the console did not show\n", stderr);
        return stalls;
    }
    // Refresh number (binds so far) -> longest wait of a message it held up.
    std::map<DWORD, double> longest;
    const DWORD first = testbed::ReadBindCounts(kCamera).total + 1;  // the first one seen whole
    const DWORD start = ::GetTickCount();
    while (static_cast<int>(longest.size()) < count + 1 && ::GetTickCount() - start < 30 * kHangLimitMs) {
        testbed::BindCounts before = testbed::ReadBindCounts(kCamera);
        bool answered = false;
        const double waited = bench::TimeMs([&] {
            DWORD_PTR ignored = 0;
            answered = ::SendMessageTimeoutA(console.window(), WM_NULL, 0, 0, SMTO_BLOCK, kHangLimitMs, &ignored) != 0;
        });
        if (!answered) {
            std::fputs("window_stall_bench: the console stopped answering\n", stderr);
            return {};
        }
        testbed::BindCounts after = testbed::ReadBindCounts(kCamera);
        // The message waited for a refresh when one ran as it was sent or began meanwhile.
        if (before.now == 0 && after.total == before.total) continue;
        const DWORD refresh = before.now > 0 ? before.total : before.total + 1;
        if (refresh < first) continue;
        double& worst = longest[refresh];
        if (waited > worst) worst = waited;
    }
    // The last one may still be running.
    for (const auto& entry : longest) {
        if (static_cast<int>(stalls.size()) < count) stalls.push_back(entry.second);
    }
    ::PostMessageA(console.window(), WM_CLOSE, 0, 0);
    if (!console.WaitForEnd()) std::fputs("window_stall_bench: the console did not end\n", stderr);
    return stalls;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 9;
    if (count < 1) {
        std::fputs("usage: window_stall_bench [refreshes]\n", stderr);
        return 2;
    }
    testbed::RemoveAllVirtualCameras();
    const std::vector<double> prompt = StallsPerRefresh(0, count);
    testbed::RemoveAllVirtualCameras();
    const std::vector<double> slow = prompt.empty() ? prompt : StallsPerRefresh(kSlowMs, count);
    testbed::RemoveAllVirtualCameras();
    if (prompt.empty() || slow.empty()) return 1;

    std::vector<double> slowSeconds;
    for (double ms : slow) slowSeconds.push_back(ms / 1000);
    const bench::Spread slowSpread = bench::SpreadOf(slowSeconds);
    const bench::Spread promptSpread = bench::SpreadOf(prompt);
    // A figure to know, not to meet: a later change answers it.
    std::printf("| %s: console window not answering during one refresh (camera answering after %lu ms / at once) | %s | %s "
                "| %.0f | none | - |\n",
                bench::kArchitecture, static_cast<unsigned long>(kSlowMs), bench::Format(slowSpread, "s").c_str(),
                bench::Format(promptSpread, "ms").c_str(), 1000 * slowSpread.median / promptSpread.median);
    std::fflush(stdout);
    return 0;
}
