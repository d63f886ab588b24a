// ksCVWParentalRunDLL32EP: the parental-lock dialogs without a console, at
// most one on the whole machine. ksCVWIntroRunDLL32EP does nothing.
#include "entry/EntryPoints.h"

#include "ResourceIds.h"
#include "base/NamedObjects.h"
#include "camera/CameraDiscovery.h"
#include "entry/CommandLine.h"
#include "entry/WindowSeams.h"
#include "launch/KernelObjectNames.h"
#include "launch/LaunchContextOwner.h"
#include "launch/SessionCheck.h"
#include "parental/PasswordHash.h"
#include "skin/ResourceLibrary.h"

namespace ostrivan {

namespace {

constexpr size_t kPromptLength = 8;  // "/prompt "

void AskAndSetPassword(LaunchContext* context) {
    // The first-time dialog asks no old password: with one stored it would
    // let anybody replace the parent's password.
    uint32_t stored = 0;
    if (ReadStoredPasswordHash(&stored)) return;
    ResourceLibrary library;
    if (!library.Load()) return;
    std::string text = LoadResourceString(IDS_PARENTAL_SETUP_QUESTION);
    std::string caption = LoadResourceString(IDS_PARENTAL_CAPTION);
    if (::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (ConsoleWindows().runSetPasswordDialog) ConsoleWindows().runSetPasswordDialog(context);
}

void PromptForPassword(LaunchContext* context, const char* line) {
    char* slot = FindDeviceSlot(context, TextAfter(line, kPromptLength));
    if (!slot) return;
    context->selectedDevice = slot;
    ResourceLibrary library;
    if (!library.Load()) return;
    if (ConsoleWindows().runPasswordPrompt) ConsoleWindows().runPasswordPrompt(context);
}

}  // namespace

}  // namespace ostrivan

extern "C" void CALLBACK ksCVWParentalRunDLL32EP(HWND, HINSTANCE, LPSTR commandLine, int) {
    using namespace ostrivan;
    if (!SessionAllowsConsole()) return;
    bool existed = false;
    UniqueHandle mutex = CreateNamedMutex(kPasswordDialogMutex, true, &existed);
    if (!mutex || existed) return;
    HeldMutex held(mutex.get());  // released before the handle is closed

    if (LaunchContextPtr context = AllocateLaunchContext()) {
        FindCameras(context.get());
        context->selectedDevice = context->deviceNames[0];
        const char* line = commandLine ? commandLine : "";
        if (line[0] != '\0') {
            if (ContainsWord(line, "/intro")) {
                AskAndSetPassword(context.get());
            } else if (ContainsWord(line, "/prompt")) {
                PromptForPassword(context.get(), line);
            }
        }
    }
}

extern "C" void CALLBACK ksCVWIntroRunDLL32EP(HWND, HINSTANCE, LPSTR, int) {}
