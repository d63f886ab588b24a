// Idle cost: the CPU time of the standalone console, started through
// rundll32 on a plugged virtual camera, with the view panel's advanced
// settings dialog open (its button pressed from this process, as a user's
// click arrives), over a quiet span, as a share of one core. The reference,
// measured in the same run, is the same console without the dialog. The
// time is the Linux process's own (user and system, every thread); what
// the wineserver and the X server do for it is not counted. Sides alternate
// run by run; each console is ended with "/quit". Prints one row.
//
//   idle_bench [runs] [seconds]     runs of each side (default 3), span (default 60)
#include "LaunchedWindow.h"
#include "LinuxProcess.h"
#include "Table.h"

#include "ResourceIds.h"
#include "devices/VirtualCameras.h"
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr char kConsoleTitle[] = "XC0730 Camera Console";
constexpr char kAdvancedTitle[] = "Zest! View Advanced Settings";
constexpr char kEntry[] = "Ostrivan.dll,ksCVWConsoleRunDLL32EP";
constexpr DWORD kSettleMs = 2000;  // the first refreshes and paints after opening
constexpr double kTargetPercent = 0.2;

bool Fail(const char* what) {
    std::fprintf(stderr, "idle_bench: %s\n", what);
    return false;
}

// One console over the span: its CPU share in percent of one core in *percent.
bool MeasureOnce(bool withDialog, DWORD seconds, double* percent) {
    bench::LaunchedWindow console;
    if (!console.Start(std::string("rundll32.exe ") + kEntry, kConsoleTitle)) return Fail("the console did not start");
    const driving::WindowQuery advancedButton =
        driving::AnyWindow().Within(console.window()).WithId(IDC_ADVANCED).Enabled();
    bool ok = driving::WaitForWindow(advancedButton) != nullptr;
    if (!ok) Fail("the console did not show its panel with the camera");
    if (ok && withDialog) {
        HWND dialog = nullptr;
        ok = driving::Press(advancedButton.Find()) &&
             driving::WaitUntil([&] { return (dialog = console.FindVisibleWindow(kAdvancedTitle)) != nullptr; }) &&
             driving::WaitForWindow(driving::AnyWindow().Within(dialog).WithId(IDOK).Enabled()) != nullptr;
        if (!ok) Fail("the advanced settings dialog did not open");
    }
    bench::LinuxProcess runner;
    if (ok && !(ok = runner.Find(kEntry, "/quit"))) Fail("no single Linux process runs the console");
    if (ok) {
        ::Sleep(kSettleMs);
        LARGE_INTEGER frequency, start, end;
        ::QueryPerformanceFrequency(&frequency);
        double before = runner.CpuSeconds();
        ::QueryPerformanceCounter(&start);
        ::Sleep(seconds * 1000);
        double after = runner.CpuSeconds();
        ::QueryPerformanceCounter(&end);
        double elapsed = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        *percent = 100 * (after - before) / elapsed;
        ok = before >= 0 && after >= 0;
        if (!ok) Fail("the console's CPU time could not be read");
        if (ok && withDialog && !console.FindVisibleWindow(kAdvancedTitle)) ok = Fail("the dialog closed");
    }
    ok = bench::RunToEnd(std::string("rundll32.exe ") + kEntry + " /quit") && console.WaitForEnd() && ok;
    // The process read was the console's: it is gone with it.
    if (ok && !driving::WaitUntil([&] { return runner.Gone(); })) {
        ok = Fail("the Linux process read is still there after the console ended");
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    if (runs < 1 || seconds < 1) {
        std::fputs("usage: idle_bench [runs] [seconds]\n", stderr);
        return 2;
    }
    if (FAILED(::CoInitialize(nullptr))) return 1;
    testbed::RemoveAllVirtualCameras();
    bool ok = testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) && testbed::PlugVirtualCamera(kCamera);
    if (!ok) Fail("the virtual camera could not be plugged");
    std::vector<double> withDialog, without;
    for (int i = 0; ok && i < runs; ++i) {
        double percent = 0;
        ok = MeasureOnce(false, seconds, &percent);
        without.push_back(percent);
        ok = ok && MeasureOnce(true, seconds, &percent);
        withDialog.push_back(percent);
    }
    testbed::RemoveAllVirtualCameras();
    ::CoUninitialize();
    if (!ok) return 1;

    bench::Spread console = bench::SpreadOf(withDialog), reference = bench::SpreadOf(without);
    char what[160];
    std::snprintf(what, sizeof what,
                  "idle cost: CPU of the console with the advanced dialog open over %d s, %% of one core; reference: "
                  "the console without the dialog",
                  seconds);
    char target[32];
    std::snprintf(target, sizeof target, "below %.1f %%", kTargetPercent);
    bench::PrintRow(what, bench::Format(console, "%"), bench::Format(reference, "%"),
                    reference.median > 0 ? console.median / reference.median : 0, target,
                    console.median < kTargetPercent);
    return 0;
}
