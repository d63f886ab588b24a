#include "console/CameraSelection.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"

#include <algorithm>

namespace ostrivan {

namespace {

std::string EntryText(const DeviceMenuButton& button, int position) {
    char text[DeviceMenuButton::kTextSize];
    button.GetEntryText(position, text);
    return text;
}

int FindEntry(const DeviceMenuButton& button, const char* text) {
    if (!text || text[0] == '\0') return -1;
    for (int position = 0; position < button.GetEntryCount(); ++position) {
        if (EntryText(button, position) == text) return position;
    }
    return -1;
}

}  // namespace

void CameraSelection::Attach(const std::vector<std::string>& deviceList, LaunchContext* context) {
    deviceList_ = deviceList;
    context_ = context;
    CopyText(currentDevice_, context && context->selectedDevice ? context->selectedDevice : "");
}

void CameraSelection::RebuildDeviceMenu() {
    const std::string placeholder = LoadResourceString(IDS_NO_CAMERA);
    int n = static_cast<int>(deviceList_.size());
    if (n == 0) {
        button_.ClearEntries();
        button_.AppendEntry(placeholder.c_str());
        button_.SelectEntry(0);
        ::EnableWindow(button_.hwnd(), FALSE);
        currentDevice_[0] = '\0';
        PublishDevice();
        return;
    }
    // The placeholder goes as soon as any camera is there.
    if (button_.GetEntryCount() == 1 && EntryText(button_, 0) == placeholder) button_.ClearEntries();

    int m = button_.GetEntryCount();
    if (m > n) {
        for (int position = m - 1; position >= 0; --position) {
            std::string text = EntryText(button_, position);
            if (std::find(deviceList_.begin(), deviceList_.end(), text) == deviceList_.end()) {
                button_.DeleteEntry(position);
            }
        }
        // Deleted rows move the others up: the selection follows the current camera's row.
        int current = FindEntry(button_, currentDevice_);
        if (current >= 0) button_.SelectEntry(current);
    } else {
        for (const std::string& name : deviceList_) {
            if (FindEntry(button_, name.c_str()) >= 0 || !button_.AppendEntry(name.c_str())) continue;
            if (name == currentDevice_) button_.SelectEntry(button_.GetEntryCount() - 1);
        }
    }
    ::EnableWindow(button_.hwnd(), TRUE);

    int selected = button_.GetSelectedIndex();
    if (selected >= 0 && selected < button_.GetEntryCount() && EntryText(button_, selected) == currentDevice_) {
        return;
    }
    CopyText(currentDevice_, EntryText(button_, 0).c_str());
    button_.SelectEntry(0);
    PublishDevice();
}

void CameraSelection::FollowDeviceChanges() {
    if (!context_) return;
    deviceChangeMutex_.reset(::CreateMutexA(nullptr, FALSE, nullptr));
    context_->deviceChangeMutex = deviceChangeMutex_.get();
}

void CameraSelection::PublishDevice() {
    // The destination is a 128-byte slot unless it is this object's own text.
    if (context_ && context_->selectedDevice && context_->selectedDevice != currentDevice_) {
        CopyText(context_->selectedDevice, kDeviceNameSize, currentDevice_);
    }
    viewPanel_.DeviceChanged(currentDevice_);
}

LRESULT CameraSelection::OnCameraPicked() {
    std::string picked = EntryText(button_, button_.GetSelectedIndex());
    if (picked == currentDevice_) return 0;
    CopyText(currentDevice_, picked.c_str());
    if (context_) context_->selectedDevice = currentDevice_;
    PublishDevice();
    return 0;
}

LRESULT CameraSelection::OnDeviceListReady(uintptr_t job) {
    if (!workers_.TakeList(job, &deviceList_)) return 0;
    RebuildDeviceMenu();
    workers_.Applied(job, currentDevice_);
    return 0;
}

void CameraSelection::OnDestroy() {
    // Stopped workers post nothing more; one still in a driver ends on its own.
    workers_.StopAll();
    if (context_) context_->deviceChangeMutex = nullptr;
    deviceChangeMutex_.reset();
}

}  // namespace ostrivan
