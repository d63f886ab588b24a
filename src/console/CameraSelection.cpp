// ConsoleWnd: the camera menu follows the cameras present, and the current
// camera is published to the launch record. Texts are compared exactly.
#include "console/ConsoleWnd.h"

#include "ResourceIds.h"
#include "base/BoundedText.h"
#include "base/ResourceSource.h"

#include <algorithm>
#include <cstring>

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

void ConsoleWnd::RebuildDeviceMenu() {
    const std::string placeholder = LoadResourceString(IDS_NO_CAMERA);
    int n = static_cast<int>(deviceList_.size());
    if (n == 0) {
        deviceButton_.ClearEntries();
        deviceButton_.AppendEntry(placeholder.c_str());
        deviceButton_.SelectEntry(0);
        ::EnableWindow(deviceButton_.hwnd(), FALSE);
        currentDevice_[0] = '\0';
        PublishDevice();
        return;
    }
    // The placeholder goes as soon as any camera is there.
    if (deviceButton_.GetEntryCount() == 1 && EntryText(deviceButton_, 0) == placeholder) deviceButton_.ClearEntries();

    int m = deviceButton_.GetEntryCount();
    if (m > n) {
        for (int position = m - 1; position >= 0; --position) {
            std::string text = EntryText(deviceButton_, position);
            if (std::find(deviceList_.begin(), deviceList_.end(), text) == deviceList_.end()) {
                deviceButton_.DeleteEntry(position);
            }
        }
        // Deleted rows move the others up: the selection follows the current camera's row.
        int current = FindEntry(deviceButton_, currentDevice_);
        if (current >= 0) deviceButton_.SelectEntry(current);
    } else {
        for (const std::string& name : deviceList_) {
            if (FindEntry(deviceButton_, name.c_str()) >= 0 || !deviceButton_.AppendEntry(name.c_str())) continue;
            if (name == currentDevice_) deviceButton_.SelectEntry(deviceButton_.GetEntryCount() - 1);
        }
    }
    ::EnableWindow(deviceButton_.hwnd(), TRUE);

    int selected = deviceButton_.GetSelectedIndex();
    if (selected >= 0 && selected < deviceButton_.GetEntryCount() &&
        EntryText(deviceButton_, selected) == currentDevice_) {
        return;
    }
    CopyText(currentDevice_, EntryText(deviceButton_, 0).c_str());
    deviceButton_.SelectEntry(0);
    PublishDevice();
}

void ConsoleWnd::PublishDevice() {
    // The destination is a 128-byte slot unless it is this window's own text.
    if (context_ && context_->selectedDevice && context_->selectedDevice != currentDevice_) {
        CopyText(context_->selectedDevice, kDeviceNameSize, currentDevice_);
    }
    zestViewPanel_.DeviceChanged(currentDevice_);
}

LRESULT ConsoleWnd::OnCameraPicked() {
    std::string picked = EntryText(deviceButton_, deviceButton_.GetSelectedIndex());
    if (picked == currentDevice_) return 0;
    CopyText(currentDevice_, picked.c_str());
    if (context_) context_->selectedDevice = currentDevice_;
    PublishDevice();
    return 0;
}

LRESULT ConsoleWnd::OnDeviceChange(UINT, DWORD_PTR) {
    if (context_ && context_->deviceChangeMutex) workers_.Start(hwnd(), context_->deviceChangeMutex);
    return TRUE;
}

LRESULT ConsoleWnd::OnDeviceListReady(LPARAM jobId) {
    // Anybody can post this message number: only our own workers' jobs count.
    const auto id = static_cast<uintptr_t>(jobId);
    if (!workers_.TakeList(id, &deviceList_)) return 0;
    RebuildDeviceMenu();
    workers_.Applied(id, currentDevice_);
    return 0;
}

LRESULT ConsoleWnd::OnDeviceReachable() {
    PublishDevice();
    return 0;
}

}  // namespace ostrivan
