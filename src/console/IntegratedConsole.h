// The integrated console as those who open it see it: a window made inside a
// host's process, on the host's thread, that lives until its owner deletes
// it. Deleting it destroys its window.
#pragma once

#include "launch/LaunchContext.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ostrivan {

class IntegratedConsole {
public:
    // Told what happens to the console that its owner did not ask for.
    class Owner {
    public:
        // The window was destroyed by somebody else (a close message, or its
        // parent going); the object stays until its owner deletes it, which
        // must not happen while the console's own code is on the stack.
        virtual void ConsoleWindowGone() = 0;

    protected:
        ~Owner() = default;
    };

    virtual ~IntegratedConsole() = default;

    // Creates the window modelessly, without parent, on the calling thread;
    // false when it cannot be made.
    [[nodiscard]] virtual bool Create() = 0;
    // The window; null before Create and once it is gone.
    virtual HWND WindowHandle() const = 0;
    // Ends the dialogs and message boxes the console runs in loops of their
    // own on its thread, so that those loops unwind.
    virtual void CloseNested() = 0;
};

// A console for the launch record, not yet created; told the cameras found
// (not kept). The owner must outlive it.
std::unique_ptr<IntegratedConsole> MakeIntegratedConsole(LaunchContext* context,
                                                         const std::vector<std::string>& devices,
                                                         IntegratedConsole::Owner* owner);

}  // namespace ostrivan
