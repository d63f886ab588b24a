// CameraSelection: the standalone console's current camera, named by its
// description. It keeps the camera menu of the console's camera button in
// line with the cameras present, takes over the user's pick, follows device
// arrival and removal through its device-change workers, and publishes the
// current camera to the launch record and to the view panel. Texts are
// compared exactly.
//
// The console window owns it and hands it the messages about cameras (the
// device change, the button's pick, the workers' results), each with its
// cracked arguments; the workers reach it only through those messages.
//
// Nothing here reports failure: a device change whose worker cannot start
// is ignored, a camera that never opens is not published again.
#pragma once

#include "ResourceIds.h"
#include "base/Limits.h"
#include "base/UniqueHandle.h"
#include "console/DeviceChangeWorkers.h"
#include "console/DeviceMenuButton.h"
#include "framework/Window.h"
#include "launch/LaunchContext.h"
#include "viewpanel/ZestViewPanel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivan {

class CameraSelection {
public:
    // window is the console, made later; viewPanel hears of every camera published.
    CameraSelection(const Window& window, ZestViewPanel& viewPanel) : window_(window), viewPanel_(viewPanel) {}
    CameraSelection(const CameraSelection&) = delete;
    CameraSelection& operator=(const CameraSelection&) = delete;

    // Before the window is made: the cameras found and the launch record,
    // whose selected camera becomes the current one.
    void Attach(const std::vector<std::string>& deviceList, LaunchContext* context);
    // Binds the template's camera button.
    void BindButton() { (void)button_.BindControl(window_.hwnd(), IDC_CAMERA_BUTTON); }
    // The menu follows the cameras known; when the current camera is not
    // among its selection any more, the first entry becomes current.
    void RebuildDeviceMenu();
    // From now on device changes are followed: the mutex that serialises
    // the workers is made and published in the launch record.
    void FollowDeviceChanges();
    // Opens the camera menu below the button; returns when it closes.
    void ShowMenu() { button_.ShowMenu(); }
    // The console closes: the menu lets go of its entries.
    void ClearMenu() {
        if (button_.IsWindow()) button_.ClearEntries();
    }
    // Workers hear of the end; those stuck in a driver end on their own.
    void StopWorkers() { workers_.StopAll(); }

    LRESULT OnDeviceChange() {
        if (context_ && context_->deviceChangeMutex) workers_.Start(window_.hwnd(), context_->deviceChangeMutex);
        return TRUE;
    }
    LRESULT OnCameraPicked();
    // Anybody can post this message: only a list of our own workers counts.
    LRESULT OnDeviceListReady(uintptr_t job);
    LRESULT OnDeviceReachable() {
        PublishDevice();
        return 0;
    }
    void OnDestroy();

    const char* currentDeviceForTesting() const { return currentDevice_; }
    DeviceMenuButton& deviceButtonForTesting() { return button_; }

private:
    void PublishDevice();

    const Window& window_;
    ZestViewPanel& viewPanel_;
    LaunchContext* context_ = nullptr;
    DeviceMenuButton button_;
    std::vector<std::string> deviceList_;
    char currentDevice_[kPathSize] = {};
    DeviceChangeWorkers workers_;
    // Serialises the workers; published in the launch record while the window lives.
    UniqueHandle deviceChangeMutex_;
};

}  // namespace ostrivan
