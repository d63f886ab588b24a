// One integrated console of a host instance, on the thread that opened it:
// the console's object, the message-only window through which other threads'
// requests and the deferred end reach that thread, and a hold on the module
// for as long as any of it lives, so that a host may unload the module as
// soon as its DestroyInstance returns.
#pragma once

#include "base/UniqueHandle.h"
#include "console/IntegratedConsole.h"
#include "entry/HostInstanceBlock.h"
#include "entry/HostRequestWindow.h"

#include <memory>

namespace ostrivan {

class HostConsole final : public IntegratedConsole::Owner, private HostRequestWindow::Delegate {
public:
    explicit HostConsole(HostInstanceBlock* block) : block_(block), thread_(::GetCurrentThreadId()) {}
    // On its thread: the console goes, then the request window (unless
    // handed over), then the hold (members in reverse order).
    ~HostConsole() = default;
    HostConsole(const HostConsole&) = delete;
    HostConsole& operator=(const HostConsole&) = delete;

    // On the opening thread: the module hold and the request window.
    [[nodiscard]] bool Start();

    // Guarded by InstanceLock():
    DWORD thread() const { return thread_; }
    HWND requestWindow() const { return requestWindow_; }
    bool opening() const { return opening_; }
    bool windowGone() const { return windowGone_; }
    void SetOpening(bool opening) { opening_ = opening; }

    // On its thread only:
    void Adopt(std::unique_ptr<IntegratedConsole> console) { console_ = std::move(console); }
    IntegratedConsole* console() const { return console_.get(); }
    // Unwinds what the console runs nested, hides it, and looks again soon.
    void Defer();
    // Deletes the console object (its windows go).
    void EndConsole() { console_.reset(); }
    // The last step on this thread when called from the request window.
    void Leave(CalledFrom from);

private:
    void ConsoleWindowGone() override;
    void OnRequest() override;

    HostInstanceBlock* block_;
    DWORD thread_;
    bool opening_ = false;
    bool windowGone_ = false;
    UniqueModule hold_;
    HostRequestWindow requests_;
    HWND requestWindow_ = nullptr;  // requests_'s, for other threads
    std::unique_ptr<IntegratedConsole> console_;
};

}  // namespace ostrivan
