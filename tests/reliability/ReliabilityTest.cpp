// The installed module under random and hostile input from other processes:
// random host calls, random and very long command lines, many launches at
// once. Each group prints its figures (cases tried, crashes, hangs, lost
// values) and fails on any crash, hang or lost value.
#include "ResourceIds.h"
#include "driving/HangLimit.h"
#include "driving/Wait.h"
#include "driving/WindowSearch.h"
#include "reliability/ConsoleProcess.h"
#include "settings/SettingsStore.h"
#include "support/NamedObjectProbe.h"
#include "support/TestBedFixture.h"
#include "support/VirtualCameraFixture.h"

#include <windows.h>

#include <shlwapi.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace driving;
using namespace ostrivan;
using namespace testsupport;
using namespace reliability;

namespace {

constexpr DWORD kFuzzHangLimitMs = 400000;  // a whole batch of calls
constexpr const char* kQuitEvent = "XC0730 Standalone Console Quit Event";
const char* const kExports[] = {"ksCVWConsoleRunDLL32EP", "ksCVWParentalRunDLL32EP", "ksCVWIntroRunDLL32EP",
                                "ksCVWUtilityRunDLL32EP"};

class TotalsPrinter : public ::testing::Environment {
public:
    void TearDown() override { Totals().Print("all"); }
};
const auto* const kTotals = ::testing::AddGlobalTestEnvironment(new TotalsPrinter);

// The seed of this run: RELIABILITY_SEED repeats an earlier one.
uint32_t RunSeed() {
    static const uint32_t seed = [] {
        const char* given = std::getenv("RELIABILITY_SEED");
        uint32_t value = given ? static_cast<uint32_t>(std::strtoul(given, nullptr, 10)) : ::GetTickCount();
        std::printf("reliability: seed %u (RELIABILITY_SEED=%u repeats this run)\n", value, value);
        return value;
    }();
    return seed;
}

std::string Program(const std::string& name) { return "\"" + ProgramFolder() + name + "\""; }

// Takes apart every word that would end or forward another copy, in any
// mix of upper and lower case.
void DefuseWords(std::string* line) {
    for (const char* word : {"/quit", "/closed", "/intro"}) {
        for (;;) {
            std::string lower = *line;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            size_t at = lower.find(word);
            if (at == std::string::npos) break;
            (*line)[at] = '_';
        }
    }
}

// Visible top-level windows of that title.
int ShownWindows(const std::string& title) { return static_cast<int>(AnyWindow().Titled(title).FindAll().size()); }

int ShownConsoleWindows() { return ShownWindows(kTitle); }

bool ConsoleShown() { return AnyWindow().Titled(kTitle).Find() != nullptr; }

// Ends a standalone console the way another copy does, and waits until it
// has let go of its Quit event.
bool QuitConsole() {
    if (RunProgram(Console("/quit")) != 0) return false;
    return WaitUntil([] { return !EventExists(kQuitEvent); }, kHangLimitMs);
}

// Runs a program that may open standalone consoles one after another and
// closes each with "/quit" once it shows; its exit code, or kTimedOut.
int RunClosingConsoles(const std::string& commandLine, int* consolesClosed) {
    HANDLE process = StartProgram(commandLine);
    if (!process) return kTimedOut;
    DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(process, 50) == WAIT_TIMEOUT) {
        if (::GetTickCount() - start > kFuzzHangLimitMs) break;
        if (EventExists(kQuitEvent) && ConsoleShown()) {
            if (!QuitConsole()) break;
            ++*consolesClosed;
        }
    }
    return Finish(process, 0);
}

class Reliability : public ConsoleBed {
protected:
    void TearDown() override {
        // Nothing a test started may outlive it.
        if (EventExists(kQuitEvent)) QuitConsole();
        EXPECT_FALSE(EventExists(kQuitEvent)) << "a console was left running";
        ConsoleBed::TearDown();
    }
    // Starts a standalone console and waits for its window.
    HANDLE StartConsole() {
        HANDLE process = StartProgram(Console(""));
        EXPECT_TRUE(process);
        EXPECT_TRUE(WaitUntil([] { return EventExists(kQuitEvent) && ConsoleShown(); }, kHangLimitMs));
        return process;
    }
};

// Random (instance, command, block) calls from a host: every answer is the
// listed status for its arguments, and nothing faults.
TEST_F(Reliability, HostCommandsAnswerRandomCallsWithTheirStatuses) {
    constexpr long kCalls = 20000;
    std::string output;
    int code = RunProgramWithOutput(Program("entry_fuzzer.exe") + " host " + std::to_string(RunSeed()) + " " +
                                        std::to_string(kCalls),
                                    &output, kFuzzHangLimitMs);
    std::printf("%s", output.c_str());
    Figures figures;
    figures.cases = kCalls;
    Count(code, &figures);
    Report("host commands", figures);
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("wrong answers 0")) << output;
}

// Random bytes and 64 KB lines for every rundll32 entry point, while a
// console runs (so a console line is forwarded to it) and while none runs
// (each console a line opens is closed again with "/quit").
TEST_F(Reliability, RundllEntryPointsTakeRandomAndLongCommandLines) {
    Figures figures;
    uint32_t seed = RunSeed();
    HANDLE anchor = StartConsole();
    ASSERT_TRUE(anchor);

    struct Batch {
        const char* exportName;
        long count;
        const char* length;  // "=n": exactly n bytes, else up to n
        const char* prefix;
    };
    const std::vector<Batch> batches = {
        {"ksCVWConsoleRunDLL32EP", 150, "600", ""},      {"ksCVWConsoleRunDLL32EP", 3, "=65536", ""},
        {"ksCVWConsoleRunDLL32EP", 3, "=65536", "/stay "}, {"ksCVWConsoleRunDLL32EP", 50, "300", "/stay "},
        {"ksCVWParentalRunDLL32EP", 150, "600", ""},     {"ksCVWParentalRunDLL32EP", 3, "=65536", ""},
        {"ksCVWParentalRunDLL32EP", 50, "300", "/prompt "}, {"ksCVWParentalRunDLL32EP", 3, "=65536", "/prompt "},
        {"ksCVWIntroRunDLL32EP", 50, "600", ""},         {"ksCVWIntroRunDLL32EP", 3, "=65536", ""},
        {"ksCVWUtilityRunDLL32EP", 50, "600", ""},       {"ksCVWUtilityRunDLL32EP", 3, "=65536", ""},
    };
    for (size_t i = 0; i < batches.size(); ++i) {
        const Batch& batch = batches[i];
        std::string line = Program("entry_fuzzer.exe") + " lines " + batch.exportName + " " +
                           std::to_string(seed + i) + " " + std::to_string(batch.count) + " " + batch.length;
        if (batch.prefix[0]) line += std::string(" \"") + batch.prefix + "\"";
        std::string output;
        int code = RunProgramWithOutput(line, &output, kFuzzHangLimitMs);
        figures.cases += batch.count;
        Count(code, &figures);
        EXPECT_EQ(0, code) << line << "\n" << output;
    }

    // The same through rundll32 itself, with lines of printable noise.
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> printable(33, 126);
    for (const char* exportName : kExports) {
        for (int i = 0; i < 3; ++i) {
            std::string noise;
            size_t length = 1 + random() % 2000;
            while (noise.size() < length) {
                char c = static_cast<char>(printable(random));
                if (c != '"') noise.push_back(c);
            }
            DefuseWords(&noise);
            int code = RunProgram(RunDll32(exportName, noise), nullptr, kHangLimitMs);
            ++figures.cases;
            Count(code, &figures);
        }
    }

    // The console that ran meanwhile is still there and still answers.
    EXPECT_TRUE(Answers(AnyWindow().Titled(kTitle).Find()));
    EXPECT_EQ(1, ShownConsoleWindows());
    EXPECT_TRUE(QuitConsole());
    int anchorCode = Finish(anchor, kHangLimitMs);
    Count(anchorCode, &figures);
    EXPECT_EQ(0, anchorCode);

    // No console running: every console line opens one, closed again.
    const std::vector<Batch> opening = {
        {"ksCVWConsoleRunDLL32EP", 2, "600", ""},
        {"ksCVWConsoleRunDLL32EP", 1, "=65536", ""},
        {"ksCVWConsoleRunDLL32EP", 1, "=65536", "/stay "},
    };
    int expectedConsoles = 0, consoles = 0;
    for (size_t i = 0; i < opening.size(); ++i) {
        const Batch& batch = opening[i];
        std::string line = Program("entry_fuzzer.exe") + " lines " + batch.exportName + " " +
                           std::to_string(seed + 100 + i) + " " + std::to_string(batch.count) + " " + batch.length;
        if (batch.prefix[0]) line += std::string(" \"") + batch.prefix + "\"";
        int code = RunClosingConsoles(line, &consoles);
        expectedConsoles += static_cast<int>(batch.count);
        figures.cases += batch.count;
        Count(code, &figures);
        EXPECT_EQ(0, code) << line;
    }
    EXPECT_EQ(expectedConsoles, consoles) << "each line opens one console on the first camera";
    Report("command lines", figures);
}

// Twenty launches of an entry point at the same moment: one window of
// the title shows, the other launches end by themselves, and the one left
// ends once its window is closed.
Figures LaunchTogether(const std::string& commandLine, const std::string& title, bool (*close)(HWND window)) {
    constexpr int kLaunches = 20;
    Figures figures;
    std::vector<HANDLE> processes;
    for (int i = 0; i < kLaunches; ++i) {
        HANDLE process = StartProgram(commandLine);
        EXPECT_TRUE(process);
        if (process) processes.push_back(process);
    }
    figures.cases = kLaunches;
    auto ended = [&] {
        int count = 0;
        for (HANDLE process : processes) count += ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        return count;
    };
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            window = AnyWindow().Titled(title).Find();
            return ended() == kLaunches - 1 && window;
        },
        kHangLimitMs))
        << ended() << " ended";
    EXPECT_EQ(1, ShownWindows(title));
    EXPECT_TRUE(window && close(window));
    for (HANDLE process : processes) {
        int code = Finish(process, kHangLimitMs);
        Count(code, &figures);
        EXPECT_EQ(0, code);
    }
    EXPECT_EQ(0, ShownWindows(title));
    return figures;
}

TEST_F(Reliability, TwentySimultaneousLaunchesOpenOneConsole) {
    Report("simultaneous launches", LaunchTogether(Console(""), kTitle, [](HWND) { return QuitConsole(); }));
}

TEST_F(Reliability, TwentySimultaneousPromptsShowOneDialog) {
    Report("simultaneous prompts",
           LaunchTogether(RunDll32("ksCVWParentalRunDLL32EP", std::string("/prompt ") + kCamera),
                          LibraryString(IDS_PROMPT_QUIET_TITLE), [](HWND dialog) {
                              // Cancelled as a user would.
                              ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                              return true;
                          }));
}

}  // namespace
