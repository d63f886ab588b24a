// The console's camera work against the bare platform calls it needs, both
// on the same virtual camera (one that acts as a real one) in one run,
// printed as two rows of the benchmark's table. Run by scripts/bench.sh.
//
//   camera_bench [runs]     timed runs of each row (default 25)
//
// The two sides alternate operation by operation (one bare refresh, one
// console refresh, ...; one bare write, one slider movement, ...), each
// operation timed alone and the order turned every pair, so that whatever
// the machine does meanwhile hits both alike. A run's figure per side is
// the sum of its operations' times.
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

using testbed::ControlGroup;

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr long kBrightness = 0;  // picture control
constexpr int kRefreshes = 20;   // per timed run; the table shows one
constexpr int kMoves = 100;

constexpr double kTarget = 1.2;  // console over bare, medians

struct Measure {
    const char* name;
    const char* what;
    bench::Spread bare;
    bench::Spread console;
    bench::Spread ratio;  // console over bare, run by run
};

bool g_failed = false;

void Check(bool ok, const char* what) {
    if (!ok && !g_failed) std::fprintf(stderr, "camera_bench: %s failed\n", what);
    g_failed = g_failed || !ok;
}

// `runs` runs of `count` pairs; a side's figure per run is the sum of its
// times over `per`.
template <typename Bare, typename Console>
Measure Compare(const char* name, const char* what, int runs, int count, double per, Bare bare, Console console) {
    std::vector<double> bareTimes, consoleTimes, ratios;
    for (int run = 0; run < runs; ++run) {
        double bareSum = 0, consoleSum = 0;
        for (int i = 0; i < count; ++i) {
            if ((run * count + i) % 2 == 0) {
                bareSum += bench::TimeMs(bare);
                consoleSum += bench::TimeMs(console);
            } else {
                consoleSum += bench::TimeMs(console);
                bareSum += bench::TimeMs(bare);
            }
        }
        bareTimes.push_back(bareSum / per);
        consoleTimes.push_back(consoleSum / per);
        ratios.push_back(consoleSum / bareSum);
    }
    return Measure{name, what, bench::SpreadOf(bareTimes), bench::SpreadOf(consoleTimes), bench::SpreadOf(ratios)};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 25;
    if (runs < 1) {
        std::fputs("usage: camera_bench [runs]\n", stderr);
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
    // Warms both paths, and makes the panel.
    Check(bench::ConsoleRefresh(name) && bench::ConsoleWrite(name, 0) && bench::BareRefresh(name) &&
              bench::BareWrite(name, 1),
          "the first calls");
    const DWORD setsBefore = testbed::SetCallCount(kCamera, ControlGroup::ProcAmp, kBrightness);
    int bareWrites = 0, moves = 0;

    long brightness = 0;
    const Measure measures[] = {
        Compare("refresh", "one view panel refresh, until shown / bare: enumerate, bind, 3 reads, release", runs, kRefreshes,
                kRefreshes, [&] { Check(bench::BareRefresh(name), "a bare refresh"); },
                [&] { Check(bench::ConsoleRefresh(name), "a console refresh"); }),
        Compare("100 slider movements", "100 slider movements, each until written / bare: 100 x (enumerate, bind, write, release)", runs,
                kMoves, 1,
                [&] {
                    ++bareWrites;
                    Check(bench::BareWrite(name, ++brightness % 256), "a bare write");
                },
                [&] {
                    ++moves;
                    Check(bench::ConsoleWrite(name, 0), "a slider movement");
                }),
    };
    // Every movement reached the camera, none folded into the next.
    const DWORD sets = testbed::SetCallCount(kCamera, ControlGroup::ProcAmp, kBrightness) - setsBefore;
    if (!g_failed && sets != static_cast<DWORD>(bareWrites + moves)) {
        std::fprintf(stderr, "camera_bench: the camera got %lu brightness writes for %d slider movements and %d bare writes\n",
                     static_cast<unsigned long>(sets), moves, bareWrites);
        g_failed = true;
    }

    bench::ConsoleDone();
    testbed::RemoveAllVirtualCameras();
    ::CoUninitialize();
    if (g_failed) return 1;

    for (const Measure& m : measures) {
        const double ratio = m.console.median / m.bare.median;
        bench::PrintRow(m.what, bench::Format(m.console, "ms"), bench::Format(m.bare, "ms"), ratio, "<= 1.2",
                        ratio <= kTarget);
        // Both sides of a run met the same machine: how far its ratio moved tells whether the row can be judged.
        std::fprintf(stderr, "camera_bench: %s %s: console/bare run by run %s\n", bench::kArchitecture, m.name,
                     bench::Format(m.ratio, "").c_str());
    }
    return 0;
}
