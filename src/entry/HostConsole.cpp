#include "entry/HostConsole.h"

#include "base/ExclusiveLock.h"
#include "base/ModuleHold.h"

namespace ostrivan {

namespace {

// How often the request window looks at the marks on its own (a request
// posted into a full queue is lost), and how often while an end waits for
// the console's loops to unwind.
constexpr UINT kLookPeriodMs = 1000;
constexpr UINT kDeferredLookPeriodMs = 20;

}  // namespace

bool HostConsole::Start() {
    hold_ = HoldModule();
    if (!hold_ || !requests_.Create(this, kLookPeriodMs)) return false;
    ExclusiveLock lock(InstanceLock());
    requestWindow_ = requests_.hwnd();
    return true;
}

void HostConsole::Defer() {
    if (console_) {
        console_->CloseNested();
        // The host sees the console go now.
        if (HWND window = console_->WindowHandle()) ::ShowWindow(window, SW_HIDE);
    }
    requests_.SetPeriod(kDeferredLookPeriodMs);
}

void HostConsole::Leave(CalledFrom from) {
    if (from != CalledFrom::RequestWindow) return;
    // This thread is still inside the module: a thread of its own closes the
    // window and drops the module once this one has returned to its loop.
    if (!requests_.HandOver()) (void)hold_.release();  // better kept loaded than unmapped under a caller
}

void HostConsole::ConsoleWindowGone() {
    {
        ExclusiveLock lock(InstanceLock());
        windowGone_ = true;
        block_->instance.context.consoleWindow = nullptr;
    }
    // Carried out once the console's handler that destroyed it has returned.
    if (!HostRequestWindow::Post(requests_.hwnd())) requests_.SetPeriod(kDeferredLookPeriodMs);
}

void HostConsole::OnRequest() { (void)ServicePending(block_, CalledFrom::RequestWindow); }

}  // namespace ostrivan
