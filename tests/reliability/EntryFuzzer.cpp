// Calls the installed module's entry points, as a host or rundll32 would,
// with random arguments from a seeded generator, and checks every answer.
// Run it in a process of its own: a fault ends it (with the exception code
// as its exit code) instead of the test program.
//
//   entry_fuzzer host <seed> <calls>
//       random (instance, command, block) calls of ksCVWEntryPoint
//   entry_fuzzer lines <export> <seed> <count> <length> [prefix]
//       command lines of random bytes (exactly <length> bytes when the
//       length is given with a leading '=', else up to it) for one
//       rundll32 entry point, each line starting with the prefix if given
//
// The last line printed holds the figures; the exit code is 0 when every
// answer was the expected one, 1 when one was not, 2 on bad usage.
#include "launch/LaunchContext.h"
#include "support/HostBlocks.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using HostEntry = uint32_t(__stdcall*)(void*, uint32_t, void*);
using RunDllEntry = void(CALLBACK*)(HWND, HINSTANCE, LPSTR, int);

constexpr uint32_t kOk = 0;
constexpr uint32_t kUnsupported = 0x6400;
constexpr uint32_t kBadArgument = 0x6403;
constexpr uint32_t kAlreadyOpen = 0x6405;
constexpr uint32_t kMagic = 0x00636261;
constexpr uint32_t kCreate = 0x1403;
constexpr uint32_t kDestroy = 0x1404;
constexpr uint32_t kLaunch = 0x1408;
constexpr uint32_t kOpen = 0x1409;
constexpr uint32_t kOpenSize = testsupport::kOpenBlockSize;
constexpr size_t kInstanceSize = sizeof(ostrivan::HostInstance);
constexpr size_t kMaxLiveInstances = 6;
constexpr int kMaxIntegratedConsoles = 8;  // each is a real window: bounded for time

// Where a call is: printed when it faults.
volatile long g_case = -1;
volatile uint32_t g_command = 0;
volatile int g_instanceKind = -1;
volatile int g_blockKind = -1;

LONG WINAPI ReportFault(EXCEPTION_POINTERS* pointers) {
    std::printf("FAULT 0x%08lX at %p in case %ld (command 0x%X, instance kind %d, block kind %d)\n",
                pointers->ExceptionRecord->ExceptionCode, pointers->ExceptionRecord->ExceptionAddress, g_case,
                g_command, g_instanceKind, g_blockKind);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

// The size each command needs of its block.
size_t NeededSize(uint32_t command) {
    switch (command) {
    case 0x1401: return 8;
    case 0x1402: return 212;
    case kCreate: return testsupport::kCreateBlockSize;
    case 0x1405:
    case 0x1406: return 136;
    case 0x1407: return 8;
    case kOpen: return testsupport::kOpenBlockSize;
    default: return 4;
    }
}

// Memory that ends right before a page nobody may touch; its own page can
// be made read-only, inaccessible or a guard page, or released altogether.
class Region {
public:
    Region() {
        base_ = static_cast<char*>(::VirtualAlloc(nullptr, kPage * 3, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (base_) ::VirtualProtect(base_ + kPage * 2, kPage, PAGE_NOACCESS, &old);
    }
    ~Region() { Release(); }
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    bool ok() const { return base_ != nullptr; }
    // size bytes that end at the inaccessible page.
    char* Tail(size_t size) { return base_ + kPage * 2 - size; }
    void Protect(DWORD protection) {
        DWORD old = 0;
        ::VirtualProtect(base_, kPage * 2, protection, &old);
    }
    void Release() {
        if (base_) ::VirtualFree(base_, 0, MEM_RELEASE);
        base_ = nullptr;
    }

private:
    static constexpr size_t kPage = 4096;
    char* base_ = nullptr;
};

struct Live {
    void* instance;
    bool windowOpen;
};

class HostFuzzer {
public:
    HostFuzzer(HostEntry entry, uint32_t seed) : entry_(entry), random_(seed) {}

    int Run(long calls) {
        for (long i = 0; i < calls; ++i) {
            g_case = i;
            OneCall();
            Pump();
        }
        g_case = -1;
        // Every instance left is destroyed the ordinary way.
        for (Live& live : live_) {
            uint32_t word = 0;
            uint32_t status = entry_(live.instance, kDestroy, &word);
            ++cases_;
            if (status != kOk || word != kOk) Wrong("final destroy", status, kOk);
        }
        live_.clear();
        Pump();
        std::printf("host commands: seed %u, cases %ld, wrong answers %ld, instances %ld, integrated consoles %d\n",
                    seed_, cases_, wrong_, created_, opened_);
        return wrong_ == 0 ? 0 : 1;
    }
    void set_seed(uint32_t seed) { seed_ = seed; }

private:
    enum InstanceKind { kNoInstance, kLive, kStale, kForged, kShortMagic, kUnreadable, kRandomAddress, kInstanceKinds };
    enum BlockKind { kNull, kNoAccess, kGuard, kShort, kReadOnly, kFreed, kExact, kLarger, kBlockKinds };

    uint32_t Next(uint32_t below) { return std::uniform_int_distribution<uint32_t>(0, below - 1)(random_); }

    uint32_t PickCommand() {
        uint32_t roll = Next(100);
        if (roll < 3) return static_cast<uint32_t>(random_());  // anything at all
        if (roll < 12) return kCreate;                             // keeps instances coming
        if (roll < 20) return kDestroy;
        return 0x1400 + Next(11);  // 0x1400 to 0x140A
    }

    bool IsLive(void* instance, Live** found = nullptr) {
        for (Live& live : live_) {
            if (live.instance == instance) {
                if (found) *found = &live;
                return true;
            }
        }
        return false;
    }

    void OneCall() {
        uint32_t command = PickCommand();
        auto instanceKind = static_cast<InstanceKind>(Next(kInstanceKinds));
        auto blockKind = static_cast<BlockKind>(Next(kBlockKinds));
        if (instanceKind == kLive && live_.empty()) instanceKind = kNoInstance;
        if (instanceKind == kStale && stale_.empty()) instanceKind = kForged;

        // The instance argument.
        Region instanceRegion;
        void* instance = nullptr;
        switch (instanceKind) {
        case kNoInstance: break;
        case kLive: instance = live_[Next(static_cast<uint32_t>(live_.size()))].instance; break;
        case kStale: instance = stale_[Next(static_cast<uint32_t>(stale_.size()))]; break;
        case kForged: {
            // Random bytes whose first word is anything but the magic.
            char* bytes = instanceRegion.Tail(kInstanceSize);
            for (size_t i = 0; i < kInstanceSize; ++i) bytes[i] = static_cast<char>(random_());
            if (std::memcmp(bytes, &kMagic, 4) == 0) bytes[0] ^= 1;
            instance = bytes;
            break;
        }
        case kShortMagic: {
            // The magic, but the record runs into an inaccessible page.
            size_t size = 4 + Next(kInstanceSize - 4);
            char* bytes = instanceRegion.Tail(size);
            std::memcpy(bytes, &kMagic, 4);
            instance = bytes;
            break;
        }
        case kUnreadable:
            instance = instanceRegion.Tail(kInstanceSize);
            std::memcpy(instance, &kMagic, 4);
            instanceRegion.Protect(Next(2) ? PAGE_NOACCESS : PAGE_READWRITE | PAGE_GUARD);
            break;
        case kRandomAddress: instance = reinterpret_cast<void*>(static_cast<uintptr_t>(random_())); break;
        default: break;
        }
        Live* live = nullptr;
        bool liveInstance = instance && IsLive(instance, &live);
        // A stale address the heap has given to a new instance is that instance now.

        // A host's launch starts a rundll32 console: not in a test that runs
        // twenty thousand calls. The instance is made a refused one instead.
        if (command == kLaunch && liveInstance) {
            instance = nullptr;
            liveInstance = false;
            live = nullptr;
        }

        // The block.
        size_t needed = NeededSize(command);
        Region blockRegion;
        char* block = nullptr;
        size_t readable = 0, writable = 0;
        size_t size = needed;
        switch (blockKind) {
        case kNull: break;
        case kNoAccess:
            block = blockRegion.Tail(needed);
            blockRegion.Protect(PAGE_NOACCESS);
            break;
        case kGuard:
            block = blockRegion.Tail(needed);
            blockRegion.Protect(PAGE_READWRITE | PAGE_GUARD);
            break;
        case kShort:
            size = needed > 1 ? Next(static_cast<uint32_t>(needed)) : 0;  // 0 to needed - 1 bytes
            block = blockRegion.Tail(size);
            readable = writable = size;
            break;
        case kReadOnly:
            block = blockRegion.Tail(needed);
            readable = needed;
            break;
        case kFreed:
            block = blockRegion.Tail(needed);
            blockRegion.Release();
            break;
        case kExact:
        case kLarger:
            size = blockKind == kLarger ? needed + 1 + Next(512) : needed;
            block = blockRegion.Tail(size);
            readable = writable = size;
            break;
        default: break;
        }
        if (block && readable > 0) {
            for (size_t i = 0; i < readable; ++i) block[i] = static_cast<char>(random_());
            if (command == kOpen && readable >= 8) {
                // Mostly a size word the command takes, sometimes one it refuses.
                uint32_t sizeWord = Next(4) ? kOpenSize + Next(64) : Next(kOpenSize);
                if (opened_ >= kMaxIntegratedConsoles && sizeWord >= kOpenSize) sizeWord = Next(kOpenSize);
                std::memcpy(block + 4, &sizeWord, 4);
            }
        }
        if (blockKind == kReadOnly) blockRegion.Protect(PAGE_READONLY);
        std::vector<char> before(block && readable ? block : nullptr, block && readable ? block + readable : nullptr);

        // What the dispatcher must answer.
        uint32_t expected = kBadArgument;
        bool blockTakesCommand = block && readable >= needed && writable >= needed;
        if (block && (command <= kCreate || liveInstance) && blockTakesCommand) {
            switch (command) {
            case 0x1401:
            case 0x1402:
            case kCreate:
            case kDestroy:
            case kLaunch: expected = kOk; break;
            case kOpen: {
                uint32_t sizeWord = 0;
                std::memcpy(&sizeWord, block + 4, 4);
                expected = live->windowOpen ? kAlreadyOpen : sizeWord < kOpenSize ? kBadArgument : kOk;
                break;
            }
            default: expected = kUnsupported; break;
            }
        }

        g_command = command;
        g_instanceKind = instanceKind;
        g_blockKind = blockKind;
        uint32_t status = entry_(instance, command, block);
        ++cases_;
        if (status != expected) {
            Wrong("status", status, expected);
            return;
        }
        if (blockKind == kReadOnly) blockRegion.Protect(PAGE_READWRITE);

        // Word 0 takes the status whenever it can; nothing else is written
        // unless the command succeeded.
        if (block && writable >= 4) {
            uint32_t word = 0;
            std::memcpy(&word, block, 4);
            if (word != status) Wrong("status word", word, status);
        }
        if (block && readable > 4 && status != kOk) {
            if (std::memcmp(before.data() + 4, block + 4, readable - 4) != 0) Wrong("refused call wrote", status, 0);
        } else if (blockKind == kReadOnly && std::memcmp(before.data(), block, readable) != 0) {
            Wrong("read-only block changed", status, 0);
        }
        if (status != kOk) return;

        // What a successful command leaves behind.
        if (command == kCreate) {
            void* created = nullptr;
            std::memcpy(&created, block + testsupport::kCreateHandleOffset, sizeof(created));
            ++created_;
            if (!created) {
                Wrong("no instance", 0, 1);
            } else if (IsLive(created)) {
                Wrong("instance handed out twice", 0, 1);
            } else {
                ForgetStale(created);
                live_.push_back({created, false});
                if (live_.size() > kMaxLiveInstances) Destroy(live_.front().instance);
            }
        } else if (command == kDestroy) {
            Forget(instance);
        } else if (command == kOpen) {
            HWND window = nullptr;
            std::memcpy(&window, block + testsupport::kOpenWindowOffset, sizeof(window));
            if (window) {
                ++opened_;
                if (!::IsWindow(window)) Wrong("integrated console window", 0, 1);
                live->windowOpen = true;
            }
        }
    }

    void Destroy(void* instance) {
        uint32_t word = 0;
        uint32_t status = entry_(instance, kDestroy, &word);
        ++cases_;
        if (status != kOk) Wrong("destroy", status, kOk);
        Forget(instance);
    }

    void Forget(void* instance) {
        for (size_t i = 0; i < live_.size(); ++i) {
            if (live_[i].instance == instance) {
                live_.erase(live_.begin() + static_cast<long>(i));
                break;
            }
        }
        ForgetStale(instance);
        stale_.push_back(instance);
    }

    void ForgetStale(void* instance) {
        for (size_t i = 0; i < stale_.size(); ++i) {
            if (stale_[i] == instance) {
                stale_.erase(stale_.begin() + static_cast<long>(i));
                return;
            }
        }
    }

    void Wrong(const char* what, uint32_t got, uint32_t expected) {
        ++wrong_;
        if (wrong_ <= 20) {
            std::printf("case %ld: %s: got 0x%X, expected 0x%X (command 0x%X, instance kind %d, block kind %d)\n",
                        g_case, what, got, expected, g_command, g_instanceKind, g_blockKind);
        }
    }

    // The integrated consoles' windows live on this thread.
    static void Pump() {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }

    HostEntry entry_;
    std::mt19937 random_;
    uint32_t seed_ = 0;
    std::vector<Live> live_;
    std::vector<void*> stale_;
    long cases_ = 0;
    long wrong_ = 0;
    long created_ = 0;
    int opened_ = 0;
};

// Lines of random bytes (never NUL). Words that end or forward another
// console are taken apart, so a line only ever starts or forwards to one.
std::string RandomLine(std::mt19937& random, size_t length, const std::string& prefix) {
    std::string line = prefix;
    std::uniform_int_distribution<int> byte(1, 255);
    while (line.size() < prefix.size() + length) line.push_back(static_cast<char>(byte(random)));
    for (const char* word : {"/quit", "/closed", "/intro"}) {
        for (const char* hit = ::StrStrIA(line.c_str(), word); hit; hit = ::StrStrIA(line.c_str(), word)) {
            line[static_cast<size_t>(hit - line.c_str())] = '_';
        }
    }
    return line;
}

int RunLines(HMODULE module, const char* exportName, uint32_t seed, long count, const char* lengthText,
             const char* prefix) {
    auto entry = reinterpret_cast<RunDllEntry>(reinterpret_cast<void*>(::GetProcAddress(module, exportName)));
    if (!entry) {
        std::printf("no export %s\n", exportName);
        return 2;
    }
    bool exact = lengthText[0] == '=';
    size_t length = std::strtoul(lengthText + (exact ? 1 : 0), nullptr, 10);
    std::mt19937 random(seed);
    for (long i = 0; i < count; ++i) {
        g_case = i;
        size_t size = exact ? length : std::uniform_int_distribution<size_t>(0, length)(random);
        std::string line = RandomLine(random, size, prefix ? prefix : "");
        entry(nullptr, ::GetModuleHandleA(nullptr), line.data(), SW_SHOWNORMAL);
    }
    std::printf("lines: %s seed %u, cases %ld\n", exportName, seed, count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(ReportFault);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc < 4) return 2;
    HMODULE module = ::LoadLibraryA("Ostrivan.dll");
    if (!module) {
        std::printf("Ostrivan.dll not loaded\n");
        return 2;
    }
    int result = 2;
    if (std::strcmp(argv[1], "host") == 0) {
        auto seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
        auto entry = reinterpret_cast<HostEntry>(reinterpret_cast<void*>(::GetProcAddress(module, "ksCVWEntryPoint")));
        if (!entry) return 2;
        HostFuzzer fuzzer(entry, seed);
        fuzzer.set_seed(seed);
        result = fuzzer.Run(std::strtol(argv[3], nullptr, 10));
    } else if (std::strcmp(argv[1], "lines") == 0 && argc >= 6) {
        result = RunLines(module, argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)),
                          std::strtol(argv[4], nullptr, 10), argv[5], argc >= 7 ? argv[6] : nullptr);
    }
    std::fflush(stdout);
    return result;
}
