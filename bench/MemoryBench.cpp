// Memory and objects of the console's process: the standalone console's
// entry point runs on a thread of this program (as rundll32 runs it), on a
// plugged virtual camera with a parental password stored, and the counts
// are taken inside the process, on the console's own thread between two of
// its messages. Counted after opening, after a first round (the warm-up:
// caches of the platform fill) and after each later round of 1,000 view
// panel refreshes (its change event signalled, each waited for by the
// camera's bind count) and 100 openings of each dialog: the advanced
// settings dialog, the options dialog, and from it the password prompt and
// the change-password dialog, each opened by pressing its button and closed
// with Cancel. Prints one row per count: its growth per later round.
//
// Wine's device enumerator keeps two registry handles of every enumeration
// of the video input devices (the bare calls do the same), so the handles'
// reference is what the bare calls keep for as many camera channels as the
// round opened: each channel enumerates and binds once.
//
//   memory_bench [rounds]     later rounds (default 3)
#include "BareCalls.h"
#include "Table.h"

#include "ResourceIds.h"
#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "devices/VirtualCameras.h"
#include "driving/HangLimit.h"
#include "driving/Press.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "driving/WindowWaits.h"
#include "launch/KernelObjectNames.h"
#include "parental/PasswordHash.h"
#include "probe/ProcessObjects.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kCamera = 1;
constexpr char kName[] = "XC0730 Web Camera";
constexpr char kConsoleTitle[] = "XC0730 Camera Console";
constexpr int kRefreshes = 1000;
constexpr int kOpenings = 100;
constexpr int kBareChannels = 100;  // for the platform's own handles per channel
// Operations of a round; heap growth under a byte per operation is no leak
// of an operation (a leaked block is at least 8 bytes).
constexpr int kOperations = kRefreshes + 4 * kOpenings;

using EntryPoint = void(CALLBACK*)(HWND, HINSTANCE, LPSTR, int);

bool Fail(const char* what) {
    std::fprintf(stderr, "memory_bench: %s\n", what);
    return false;
}

// The counts are taken on the console's thread, inside a message sent to
// its window, so that none of its work is half done meanwhile.
UINT g_countMessage = 0;
testbed::ProcessObjects g_counted;

LRESULT CALLBACK CountOnConsoleThread(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == g_countMessage) g_counted = testbed::CountProcessObjects();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Console {
    EntryPoint entry = nullptr;
    ostrivan::UniqueHandle thread;
    HWND window = nullptr;
    DWORD threadId = 0;
    HHOOK hook = nullptr;
    ostrivan::UniqueHandle panelEvent;
};

DWORD WINAPI RunConsole(void* parameter) {
    auto* console = static_cast<Console*>(parameter);
    char line[] = "";
    console->entry(nullptr, ::GetModuleHandleA("Ostrivan.dll"), line, SW_SHOWNORMAL);
    return 0;
}

testbed::ProcessObjects Count(const Console& console) {
    ::SendMessageA(console.window, g_countMessage, 0, 0);
    return g_counted;
}

// One refresh of the view panel, as another copy of the console asks for it.
bool Refresh(const Console& console) {
    DWORD before = testbed::ReadBindCounts(kCamera).total;
    if (!::SetEvent(console.panelEvent.get())) return false;
    return driving::WaitUntil([&] { return testbed::ReadBindCounts(kCamera).total != before; });
}

HWND OpenDialog(const Console& console, HWND from, int buttonId, int dialogControlId) {
    if (!driving::Press(driving::AnyWindow().Within(from).WithId(buttonId).Enabled().Find())) return nullptr;
    return driving::WaitForWindow(driving::AnyWindow().OfThread(console.threadId).Holding(dialogControlId));
}

// Opens each dialog once and closes it again with Cancel.
bool OpenEachDialog(const Console& console) {
    HWND advanced = OpenDialog(console, console.window, IDC_ADVANCED, IDC_ADVANCED_DEFAULT);
    if (!advanced || !driving::PressAndWaitGone(advanced, IDCANCEL)) return Fail("the advanced settings dialog");
    HWND options = OpenDialog(console, console.window, IDC_OPTIONS, IDC_LOCK_TOGGLE);
    if (!options) return Fail("the options dialog did not open");
    HWND prompt = OpenDialog(console, options, IDC_LOCK_TOGGLE, IDC_PROMPT_PASSWORD);
    if (!prompt || !driving::PressAndWaitGone(prompt, IDCANCEL)) return Fail("the password prompt");
    HWND change = OpenDialog(console, options, IDC_CHANGE_PASSWORD, IDC_NEW_PASSWORD);
    if (!change || !driving::PressAndWaitGone(change, IDCANCEL)) return Fail("the change-password dialog");
    if (!driving::PressAndWaitGone(options, IDCANCEL)) return Fail("the options dialog did not close");
    return true;
}

// One round; the camera channels it opened in *channels.
bool Round(const Console& console, double* channels) {
    DWORD binds = testbed::ReadBindCounts(kCamera).total;
    for (int i = 0; i < kRefreshes; ++i) {
        if (!Refresh(console)) return Fail("a refresh did not come");
    }
    for (int i = 0; i < kOpenings; ++i) {
        if (!OpenEachDialog(console)) return false;
    }
    *channels = testbed::ReadBindCounts(kCamera).total - binds;
    return true;
}

// The kernel handles that the bare calls (enumerate, bind, read, release)
// keep per channel, counted before the console runs.
bool BareHandlesPerChannel(double* perChannel) {
    if (!bench::BareRefresh(kName)) return Fail("the bare calls failed");
    int before = testbed::CountProcessObjects().handles;
    for (int i = 0; i < kBareChannels; ++i) {
        if (!bench::BareRefresh(kName)) return Fail("the bare calls failed");
    }
    *perChannel = double(testbed::CountProcessObjects().handles - before) / kBareChannels;
    return true;
}

bool StorePassword(bool store) {
    ostrivan::UniqueKey key;
    if (::RegCreateKeyExA(testbed::SharedMachineKey(), testbed::kDriverConsoleKey, 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    if (!store) return ::RegDeleteValueA(key.get(), testbed::kPasswordHashValue) == ERROR_SUCCESS;
    uint32_t hash = 0;
    if (!ostrivan::PasswordHash("benchmark", &hash)) return false;
    DWORD value = hash;
    return ::RegSetValueExA(key.get(), testbed::kPasswordHashValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
}

bool Open(Console& console) {
    HMODULE module = ::LoadLibraryA("Ostrivan.dll");
    if (!module) return Fail("the module could not be loaded");
    console.entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module, "ksCVWConsoleRunDLL32EP")));
    if (!console.entry) return Fail("the module has no console entry point");
    console.thread.reset(::CreateThread(nullptr, 0, RunConsole, &console, 0, nullptr));
    if (!console.thread) return Fail("no thread for the console");
    console.window =
        driving::WaitForWindow(driving::AnyWindow().OfProcess(::GetCurrentProcessId()).Titled(kConsoleTitle));
    if (!console.window) return Fail("the console did not show its window");
    // The panel has read the camera once its buttons are enabled.
    if (!driving::WaitForWindow(driving::AnyWindow().Within(console.window).WithId(IDC_ADVANCED).Enabled())) {
        return Fail("the view panel did not read the camera");
    }
    console.threadId = ::GetWindowThreadProcessId(console.window, nullptr);
    g_countMessage = ::RegisterWindowMessageA("MemoryBenchCount");
    console.hook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountOnConsoleThread, nullptr, console.threadId);
    std::string eventName = std::string(ostrivan::kStandalonePanelEventPrefix) + "Zest! View Panel";
    console.panelEvent.reset(::OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName.c_str()));
    if (!console.hook || !console.panelEvent) return Fail("no way to count or to refresh");
    return true;
}

void Close(Console& console) {
    if (console.hook) ::UnhookWindowsHookEx(console.hook);
    // Its close button, as the user closes it.
    if (console.window) driving::Press(driving::AnyWindow().Within(console.window).WithId(IDC_CLOSE).Enabled().Find());
    if (console.thread && ::WaitForSingleObject(console.thread.get(), driving::kHangLimitMs) != WAIT_OBJECT_0) {
        Fail("the console did not close");
    }
}

struct Figure {
    const char* what;
    const char* unit;
    double scale;
    double (*of)(const testbed::ProcessObjects&);
    double allowance;  // growth per round that is no leak
};

const Figure kFigures[] = {
    {"GDI objects", "", 1, [](const testbed::ProcessObjects& c) { return double(c.gdi); }, 0},
    {"USER objects (windows, menus, icons)", "", 1, [](const testbed::ProcessObjects& c) { return double(c.user); }, 0},
    {"private memory (committed)", "KB", 1024, [](const testbed::ProcessObjects& c) { return double(c.privateBytes); }, 0},
    {"heap in use", "KB", 1024, [](const testbed::ProcessObjects& c) { return double(c.heapBytes); },
     kOperations / 1024.0},
};

// counts: after opening, after the warm-up, after each later round.
std::vector<double> Growths(const std::vector<testbed::ProcessObjects>& counts,
                            double (*of)(const testbed::ProcessObjects&), double scale) {
    std::vector<double> growths;
    for (size_t i = 2; i < counts.size(); ++i) growths.push_back((of(counts[i]) - of(counts[i - 1])) / scale);
    return growths;
}

std::string Levels(const std::vector<testbed::ProcessObjects>& counts, double (*of)(const testbed::ProcessObjects&),
                   double scale, const char* unit) {
    char text[160];
    std::snprintf(text, sizeof text, "%.0f %s opened, %.0f %s after warm-up, %.0f %s at the end", of(counts[0]) / scale,
                  unit, of(counts[1]) / scale, unit, of(counts.back()) / scale, unit);
    return text;
}

constexpr char kRound[] = "growth per round of 1000 refreshes and 100 openings of each dialog";

void PrintFigure(const Figure& figure, const std::vector<testbed::ProcessObjects>& counts) {
    bench::Spread growth = bench::SpreadOf(Growths(counts, figure.of, figure.scale));
    char what[192];
    std::snprintf(what, sizeof what, "%s: %s (level: %s)", figure.what, kRound,
                  Levels(counts, figure.of, figure.scale, figure.unit).c_str());
    char target[64] = "no growth";
    if (figure.allowance > 0) std::snprintf(target, sizeof target, "no growth (under %.2g %s)", figure.allowance, figure.unit);
    bench::PrintRow(what, bench::Format(growth, figure.unit), "-", target, growth.max <= figure.allowance);
}

// The handles beside what the bare calls keep for the same channels.
void PrintHandles(const std::vector<testbed::ProcessObjects>& counts, const std::vector<double>& channels,
                  double barePerChannel) {
    auto handles = [](const testbed::ProcessObjects& c) { return double(c.handles); };
    std::vector<double> growths = Growths(counts, handles, 1), bare;
    bool met = true;
    for (size_t i = 0; i < growths.size(); ++i) {
        bare.push_back(barePerChannel * channels[i]);
        met = met && growths[i] <= bare.back();
    }
    bench::Spread console = bench::SpreadOf(growths), reference = bench::SpreadOf(bare);
    char what[224];
    std::snprintf(what, sizeof what,
                  "kernel handles: %s (level: %s); reference: the bare calls for as many camera channels (%.3g each)",
                  kRound, Levels(counts, handles, 1, "").c_str(), barePerChannel);
    bench::PrintRow(what, bench::Format(console, ""), bench::Format(reference, ""),
                    reference.median > 0 ? console.median / reference.median : 0, "no more than the bare calls", met);
}

// Which kinds of GDI object the later rounds left more or fewer of, so a
// growth can be told apart (the platform's device contexts with their
// regions, or a brush, font or bitmap of the console's).
void PrintGdiKinds(const std::vector<testbed::ProcessObjects>& counts) {
    static const char* const kKinds[testbed::ProcessObjects::kGdiTypes] = {
        "?", "pens", "brushes", "DCs", "metafile DCs", "palettes", "fonts", "bitmaps",
        "regions", "metafiles", "memory DCs", "extended pens", "enhanced metafile DCs", "enhanced metafiles",
        "colour spaces"};
    std::string text;
    for (int type = 1; type < testbed::ProcessObjects::kGdiTypes; ++type) {
        int change = counts.back().gdiOfType[type] - counts[1].gdiOfType[type];
        if (change == 0) continue;
        char part[64];
        std::snprintf(part, sizeof part, "%s%+d %s", text.empty() ? "" : ", ", change, kKinds[type]);
        text += part;
    }
    std::fprintf(stderr, "memory_bench: GDI objects after the warm-up to the end: %s\n", text.empty() ? "no change" : text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    if (rounds < 1) {
        std::fputs("usage: memory_bench [rounds]\n", stderr);
        return 2;
    }
    if (FAILED(::CoInitialize(nullptr))) return 1;
    testbed::RemoveAllVirtualCameras();
    if (!testbed::DefineCamera(kCamera, kName, testbed::CameraPreset::Real) || !testbed::PlugVirtualCamera(kCamera)) {
        Fail("the virtual camera could not be plugged");
        return 1;
    }
    if (!StorePassword(true)) {
        Fail("the password could not be stored");
        return 1;
    }

    double barePerChannel = 0;
    Console console;
    std::vector<testbed::ProcessObjects> counts;
    std::vector<double> channels;
    bool ok = BareHandlesPerChannel(&barePerChannel) && Open(console);
    if (ok) counts.push_back(Count(console));
    for (int i = 0; ok && i <= rounds; ++i) {
        double opened = 0;
        ok = Round(console, &opened);
        if (ok) counts.push_back(Count(console));
        if (i > 0) channels.push_back(opened);
    }
    Close(console);
    (void)StorePassword(false);
    testbed::RemoveAllVirtualCameras();
    ::CoUninitialize();
    if (!ok) return 1;
    PrintHandles(counts, channels, barePerChannel);
    for (const Figure& figure : kFigures) PrintFigure(figure, counts);
    PrintGdiKinds(counts);
    return 0;
}
