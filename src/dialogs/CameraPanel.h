// CameraPanel: what the view panel and the advanced settings dialog share.
// A dialog on the selected camera that re-reads it every 1.5 s while
// visible and whenever another copy of the console signals its named event;
// its second base is the change listener for that event.
//
// Threads: the records and controls of a panel belong to its window's
// thread. The listener's thread (or any other) only asks, by posting one
// refresh request to the window; the window's thread refreshes. The
// listener runs while the window exists and is stopped before it goes.
//
// Error rule: nothing here reports failure; a listener that cannot be
// created leaves the panel refreshing by its timer only.
#pragma once

#include "framework/Dialog.h"
#include "framework/PostTarget.h"
#include "launch/LaunchContext.h"
#include "launch/PanelChangeListener.h"

#include <cstddef>
#include <cstdint>

namespace ostrivan {

class CameraPanel : public Dialog, public PanelChangeListener {
public:
    // Create(parent) makes the window, Create(mode, title) the listener.
    using Dialog::Create;
    using PanelChangeListener::Create;

    // The owner's launch record and its current camera, before the window is made.
    void Attach(LaunchContext* owner);
    // Reason 0 asks for a refresh, from any thread; it runs on the window's
    // thread, when the window is visible.
    uint32_t OnPeerChange(uint32_t reason, uint32_t param) override;

    const char* deviceName() const { return deviceName_; }

protected:
    CameraPanel(UINT templateId, EnterEscape keys, const char* title);
    ~CameraPanel() override;

    // Takes the timer, the refresh requests and the window's end.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Reads the camera and shows it; on the window's thread only.
    virtual void Refresh() = 0;
    void RefreshIfVisible();
    // At the end of the window's initialisation: the listener (created once,
    // for the object's whole life, and started when none runs) and the timer.
    void StartListening();
    // No request reaches the window after this; called first when it goes.
    void StopListening();
    // Asks for a refresh once the messages queued now are handled.
    void RequestRefresh() { (void)refreshTarget_.Post(); }
    void SetDeviceName(const char* name);
    // The template's controls that follow the camera, looked up once when
    // the window is made (refreshes come every 1.5 s).
    template <size_t N>
    void RememberControls(const int (&ids)[N]) {
        for (int id : ids) RememberControl(id);
    }
    void RememberControl(int id);
    // Enables or disables a remembered control; one whose state is right already is left alone.
    void EnableControl(int id, bool enable);

    LaunchContext* owner() const { return owner_; }
    char deviceName_[kPathSize] = {};

private:
    struct Control {
        int id;
        HWND window;
    };
    static constexpr size_t kMaxControls = 16;

    const char* title_;
    Control controls_[kMaxControls] = {};
    size_t controlCount_ = 0;
    LaunchContext* owner_ = nullptr;
    PostTarget refreshTarget_;
};

}  // namespace ostrivan
