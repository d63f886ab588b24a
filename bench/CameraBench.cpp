// The console's camera work against the bare platform calls it needs, both
// on the same virtual camera (one that acts as a real one) in one run,
// printed as two rows of the benchmark's table. Run by scripts/bench.sh.
//
//   camera_bench [rounds]     rounds of each measurement (default 9)
#include "BareCalls.h"
#include "BenchClock.h"
#include "ConsoleCalls.h"
#include "Table.h"

#include "devices/VirtualCameras.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr int kRefreshes = 20;  // per timed run; the table shows one
constexpr int kMoves = 100;

constexpr double kTarget = 1.2;  // console over bare, medians

struct Measure {
    const char* what;
    bench::Spread bare;
    bench::Spread console;
};

// Sides alternate run by run, so that drift of the machine hits both alike.
template <typename Bare, typename Console>
Measure Compare(const char* what, int rounds, double per, Bare bare, Console console) {
    std::vector<double> bareTimes, consoleTimes;
    for (int i = 0; i < rounds; ++i) {
        bareTimes.push_back(bench::TimeMs(bare) / per);
        consoleTimes.push_back(bench::TimeMs(console) / per);
    }
    return Measure{what, bench::SpreadOf(bareTimes), bench::SpreadOf(consoleTimes)};
}

bool g_failed = false;

void Check(bool ok, const char* what) {
    if (!ok && !g_failed) std::fprintf(stderr, "camera_bench: %s failed\n", what);
    g_failed = g_failed || !ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
    if (rounds < 1) {
        std::fputs("usage: camera_bench [rounds]\n", stderr);
        return 2;
    }
    // One apartment for the whole run, so that neither side pays for starting COM.
    if (FAILED(::CoInitialize(nullptr))) return 1;
    testbed::RemoveAllVirtualCameras();
    if (!testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) || !testbed::PlugVirtualCamera(kCamera)) {
        std::fputs("camera_bench: the virtual camera could not be plugged\n", stderr);
        return 1;
    }
    const std::string name = kName;
    Check(bench::ConsoleRefresh(name) && bench::BareRefresh(name), "the first reads");  // warm both paths

    long brightness = 0;
    auto bareRefreshes = [&] {
        for (int i = 0; i < kRefreshes; ++i) Check(bench::BareRefresh(name), "a bare refresh");
    };
    auto consoleRefreshes = [&] {
        for (int i = 0; i < kRefreshes; ++i) Check(bench::ConsoleRefresh(name), "a console refresh");
    };
    auto bareWrites = [&] {
        for (int i = 0; i < kMoves; ++i) Check(bench::BareWrite(name, ++brightness % 256), "a bare write");
    };
    auto consoleWrites = [&] {
        for (int i = 0; i < kMoves; ++i) Check(bench::ConsoleWrite(name, ++brightness % 256), "a slider movement");
    };
    const Measure measures[] = {
        Compare("one view panel refresh / bare: enumerate, bind, 3 reads, release", rounds, kRefreshes,
                bareRefreshes, consoleRefreshes),
        Compare("100 slider movements / bare: 100 x (enumerate, bind, write, release)", rounds, 1, bareWrites,
                consoleWrites),
    };

    bench::ConsoleDone();
    testbed::RemoveAllVirtualCameras();
    ::CoUninitialize();
    if (g_failed) return 1;

    for (const Measure& m : measures) {
        const double ratio = m.console.median / m.bare.median;
        bench::PrintRow(m.what, bench::Format(m.console, "ms"), bench::Format(m.bare, "ms"), ratio, "<= 1.2",
                        ratio <= kTarget);
    }
    return 0;
}
