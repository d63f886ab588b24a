// Memory and objects of the console's process: the standalone console's
// entry point runs on a thread of this program (as rundll32 runs it), on a
// plugged virtual camera with a parental password stored, and the counts
// are taken inside the process, on the console's own thread between two of
// its messages. Counted after opening, after a first round (the warm-up:
// caches of the platform fill) and after each later round of 1,000 view
// panel refreshes (its change event signalled, each waited for until the
// console's thread has taken the reading) and 100 openings of each dialog:
// the advanced settings dialog, the options dialog, and from it the
// password prompt and the change-password dialog, each opened by pressing
// its button and closed with Cancel (MemoryRound.h). Prints one row per
// count: its growth per later round.
//
// Wine's device enumerator keeps two registry handles of every enumeration
// of the video input devices (the bare calls do the same), so the handles'
// reference is what the bare calls keep for as many camera channels as the
// round opened: each channel enumerates and binds once.
//
// The GDI objects' reference, in the same run: a minimal program of bare
// platform calls (memory_reference, PlatformDialogs.h) that makes the same
// windows from the same templates and does the same rounds, counted the
// same way in a process of its own. A growth of the console's counts as
// the platform's when the minimal program grew at least as much of every
// kind the console grew.
//
//   memory_bench [rounds]     later rounds (default 3)
#include "BareCalls.h"
#include "InProcessConsole.h"
#include "MemoryRound.h"
#include "ReferenceRun.h"
#include "Table.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedRegistry.h"
#include "devices/VirtualCameras.h"
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
constexpr int kBareChannels = 100;  // for the platform's own handles per channel
// Operations of a round; heap growth under a byte per operation is no leak
// of an operation (a leaked block is at least 8 bytes).
constexpr int kOperations = bench::kRoundRefreshes + bench::kDialogsPerOpening * bench::kRoundOpenings;

bool Fail(const char* what) {
    std::fprintf(stderr, "memory_bench: %s\n", what);
    return false;
}

// One round; the camera channels it opened in *channels.
bool Round(const bench::InProcessConsole& console, double* channels) {
    DWORD binds = testbed::ReadBindCounts(kCamera).total;
    if (!bench::MemoryRound([&] { return console.Refresh(); }, console.window(), console.threadId())) return false;
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

struct Figure {
    const char* what;
    const char* unit;
    double scale;
    double (*of)(const testbed::ProcessObjects&);
    double allowance;  // growth per round that is no leak
};

const Figure kFigures[] = {
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
    const std::string after = *unit ? std::string(" ") + unit : std::string();
    char text[160];
    std::snprintf(text, sizeof text, "%.0f%s opened, %.0f%s after warm-up, %.0f%s at the end", of(counts[0]) / scale,
                  after.c_str(), of(counts[1]) / scale, after.c_str(), of(counts.back()) / scale, after.c_str());
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
int GdiGain(const std::vector<testbed::ProcessObjects>& counts, int type) {
    return counts.back().gdiOfType[type] - counts[1].gdiOfType[type];
}

void PrintGdiKinds(const char* whose, const std::vector<testbed::ProcessObjects>& counts) {
    static const char* const kKinds[testbed::ProcessObjects::kGdiTypes] = {
        "?", "pens", "brushes", "DCs", "metafile DCs", "palettes", "fonts", "bitmaps",
        "regions", "metafiles", "memory DCs", "extended pens", "enhanced metafile DCs", "enhanced metafiles",
        "colour spaces"};
    std::string text;
    for (int type = 1; type < testbed::ProcessObjects::kGdiTypes; ++type) {
        int change = GdiGain(counts, type);
        if (change == 0) continue;
        char part[64];
        std::snprintf(part, sizeof part, "%s%+d %s", text.empty() ? "" : ", ", change, kKinds[type]);
        text += part;
    }
    std::fprintf(stderr, "memory_bench: GDI objects of the %s after the warm-up to the end: %s\n", whose,
                 text.empty() ? "no change" : text.c_str());
}

// The GDI objects beside the minimal program's. No round may grow, or the
// minimal program must have grown at least as many of every kind the
// console grew, from the warm-up to the end.
void PrintGdi(const std::vector<testbed::ProcessObjects>& counts, const std::vector<testbed::ProcessObjects>& reference) {
    auto gdi = [](const testbed::ProcessObjects& c) { return double(c.gdi); };
    const bench::Spread console = bench::SpreadOf(Growths(counts, gdi, 1));
    const bench::Spread platform = bench::SpreadOf(Growths(reference, gdi, 1));
    bool asThePlatform = true;
    for (int type = 1; type < testbed::ProcessObjects::kGdiTypes; ++type) {
        asThePlatform = asThePlatform && GdiGain(counts, type) <= GdiGain(reference, type);
    }
    char what[384];
    std::snprintf(what, sizeof what,
                  "GDI objects: %s (level: %s); reference: a minimal program of bare platform calls, same windows "
                  "from the same templates, same rounds (level: %s)",
                  kRound, Levels(counts, gdi, 1, "").c_str(), Levels(reference, gdi, 1, "").c_str());
    bench::PrintRow(what, bench::Format(console, ""), bench::Format(platform, ""),
                    "no growth, or no more of any kind than the reference", console.max <= 0 || asThePlatform);
    PrintGdiKinds("console", counts);
    PrintGdiKinds("minimal program", reference);
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
    std::vector<testbed::ProcessObjects> counts, reference;
    std::vector<double> channels;
    bool ok = BareHandlesPerChannel(&barePerChannel);
    {
        bench::InProcessConsole console;
        ok = ok && console.Open();
        if (ok) counts.push_back(console.Count());
        for (int i = 0; ok && i <= rounds; ++i) {
            double opened = 0;
            ok = Round(console, &opened);
            if (ok) counts.push_back(console.Count());
            if (i > 0) channels.push_back(opened);
        }
    }
    // Once the console has gone, on the same camera.
    ok = ok && bench::RunMemoryReference(rounds, &reference);
    if (ok && reference.size() != counts.size()) ok = Fail("the reference program counted other rounds");
    (void)StorePassword(false);
    testbed::RemoveAllVirtualCameras();
    ::CoUninitialize();
    if (!ok) return 1;
    PrintHandles(counts, channels, barePerChannel);
    PrintGdi(counts, reference);
    for (const Figure& figure : kFigures) PrintFigure(figure, counts);
    return 0;
}
