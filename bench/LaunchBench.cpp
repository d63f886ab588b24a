// Launch to visible window on a plugged virtual camera: rundll32 of the
// console's entry point against rundll32 of the bench's minimal DLL (the bare
// calls that read the camera's three values and a window of the console's
// size with three sliders). Each run is timed from just before the process
// starts until its window is visible, and ended cleanly before the next:
// the console with "/quit", the minimal one with WM_CLOSE. Sides alternate
// run by run. Prints one row of the benchmark's table.
//
//   launch_bench [runs]     timed launches of each side (default 9)
#include "LaunchedWindow.h"
#include "MinimalConsole.h"
#include "Table.h"

#include "devices/VirtualCameras.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr char kConsoleTitle[] = "XC0730 Camera Console";
constexpr char kConsole[] = "rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP";
constexpr double kTarget = 1.25;  // console over minimal, medians

bool Fail(const char* what) {
    std::fprintf(stderr, "launch_bench: %s\n", what);
    return false;
}

class Side {
public:
    virtual ~Side() = default;
    // Launches, checks that the values are on sliders, ends the process; the
    // time to the visible window in *ms.
    bool Launch(double* ms, RECT* place = nullptr) {
        bench::LaunchedWindow launched;
        if (!launched.Start(Line(), Title())) return Fail("no window was shown");
        *ms = launched.msToVisible();
        if (place) ::GetWindowRect(launched.window(), place);
        // Without a camera's values the console disables its sliders (the
        // exposure slider stays disabled while the camera is automatic).
        if (launched.EnabledSliders() == 0) return Fail("the window shows no camera values");
        return Close(launched) && launched.WaitForEnd();
    }

private:
    virtual std::string Line() const = 0;
    virtual const char* Title() const = 0;
    virtual bool Close(bench::LaunchedWindow& launched) const = 0;
};

class ConsoleSide : public Side {
    std::string Line() const override { return kConsole; }
    const char* Title() const override { return kConsoleTitle; }
    bool Close(bench::LaunchedWindow&) const override { return bench::RunToEnd(std::string(kConsole) + " /quit"); }
};

class MinimalSide : public Side {
public:
    MinimalSide(int width, int height) : width_(width), height_(height) {}

private:
    std::string Line() const override {
        return std::string("rundll32.exe ") + bench::kMinimalConsoleDll + "," + bench::kMinimalConsoleEntry + " " +
               std::to_string(width_) + " " + std::to_string(height_) + " " + kName;
    }
    const char* Title() const override { return bench::kMinimalConsoleTitle; }
    bool Close(bench::LaunchedWindow& launched) const override {
        return ::PostMessageA(launched.window(), WM_CLOSE, 0, 0) != FALSE;
    }

    int width_;
    int height_;
};

bool Measure(int runs, bench::Spread* console, bench::Spread* minimal) {
    // One untimed launch of each side first: it loads what both need into
    // the caches, and the console's window gives the minimal one its size.
    ConsoleSide consoleSide;
    double ms = 0;
    RECT place{};
    if (!consoleSide.Launch(&ms, &place)) return false;
    MinimalSide minimalSide(place.right - place.left, place.bottom - place.top);
    if (!minimalSide.Launch(&ms)) return false;

    std::vector<double> consoleTimes, minimalTimes;
    for (int i = 0; i < runs; ++i) {
        // The order turns every run (console first, then minimal first), so
        // that neither side always follows the other's exit.
        Side* order[2] = {&consoleSide, &minimalSide};
        if (i % 2) std::swap(order[0], order[1]);
        for (Side* side : order) {
            if (!side->Launch(&ms)) return false;
            (side == &consoleSide ? consoleTimes : minimalTimes).push_back(ms);
        }
    }
    *console = bench::SpreadOf(consoleTimes);
    *minimal = bench::SpreadOf(minimalTimes);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    if (runs < 1) {
        std::fputs("usage: launch_bench [runs]\n", stderr);
        return 2;
    }
    testbed::RemoveAllVirtualCameras();
    if (!testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) || !testbed::PlugVirtualCamera(kCamera)) {
        std::fputs("launch_bench: the virtual camera could not be plugged\n", stderr);
        return 1;
    }
    bench::Spread console, minimal;
    bool measured = Measure(runs, &console, &minimal);
    testbed::RemoveAllVirtualCameras();
    if (!measured) return 1;

    const double ratio = console.median / minimal.median;
    bench::PrintRow("launch to visible window, rundll32 / minimal rundll32 DLL: bare calls, 3 sliders",
                    bench::Format(console, "ms"), bench::Format(minimal, "ms"), ratio, "<= 1.25", ratio <= kTarget);
    return 0;
}
