// The memory benchmark's reference program: the same rounds as the
// console's (MemoryRound.h) done to a minimal program's windows made with
// bare platform calls (PlatformDialogs.h), in a process of their own, and
// its GDI objects counted the same way, on the windows' thread. memory_bench
// runs it in the same run, on the camera it has plugged.
//
//   memory_reference [rounds]     later rounds (default 3)
//
// Prints one line per count (after opening, after the warm-up round, after
// each later round): "gdi <all> <of type 1> ... <of type 14>", the types
// being GetObjectType's answers. Exit code 0, or 1 when something failed.
#include "MemoryRound.h"
#include "PlatformDialogs.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    if (rounds < 1) {
        std::fputs("usage: memory_reference [rounds]\n", stderr);
        return 2;
    }
    bench::PlatformDialogs dialogs;
    std::vector<testbed::ProcessObjects> counts;
    bool ok = dialogs.Open();
    if (ok) counts.push_back(dialogs.Count());
    for (int i = 0; ok && i <= rounds; ++i) {
        ok = bench::MemoryRound([&] { return dialogs.Refresh(); }, dialogs.window(), dialogs.threadId());
        if (ok) counts.push_back(dialogs.Count());
    }
    dialogs.Close();
    if (!ok) return 1;
    for (const testbed::ProcessObjects& count : counts) {
        std::printf("gdi %d", count.gdi);
        for (int type = 1; type < testbed::ProcessObjects::kGdiTypes; ++type) std::printf(" %d", count.gdiOfType[type]);
        std::printf("\n");
    }
    return 0;
}
