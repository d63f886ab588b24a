#include "devices/VirtualCameras.h"

#include "base/UniqueHandle.h"
#include "devices/TestBedDevices.h"
#include "devices/TextCodes.h"

#include <dbt.h>

#include <cstdio>

namespace testbed {

namespace {

ControlState Range(LONG minimum, LONG maximum, LONG step, LONG defaultValue, LONG value, LONG flags,
                   LONG capabilities = 2) {
    return OfferedState(minimum, maximum, step, defaultValue, value, flags, capabilities);
}

}  // namespace

std::string VirtualCameraServerPath() {
    char folder[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return kVirtualCameraServer;
    return std::string(folder, length) + "\\" + kVirtualCameraServer;
}

std::string VirtualCameraInstanceId(int index) {
    char id[32];
    std::snprintf(id, sizeof(id), "ROOT\\IMAGE\\VCAM%04d", index);
    return id;
}

bool DefineCamera(int index, const std::string& description, CameraPreset preset) {
    VirtualCameraSpec config;
    config.description = description;
    const bool real = preset != CameraPreset::Standard;
    config.behaviour = real ? DWORD{kRealCamera} : 0;
    ControlState exposure = Range(-13, -1, 1, -6, -6, 1, 3);
    exposure.autoValue = real ? -5 : -6;
    const ControlState backlight = real ? Range(0, 1, 1, 1, 1, 2) : Range(0, 2, 1, 1, 1, 2);
    const ControlState powerLine = real ? Range(0, 3, 1, 3, 3, 2) : Range(0, 2, 1, 1, 1, 2);
    const LONG fallbackValue = preset == CameraPreset::PowerLineFallback ? 3 : 2;
    const LONG kVendorValueOnly = 0;
    bool ok = WriteVirtualCamera(index, config) && ResetBindCounts(index) &&
              OfferControl(index, ControlGroup::ProcAmp, 0, Range(0, 255, 1, 128, 128, 2)) &&  // brightness
              OfferControl(index, ControlGroup::ProcAmp, 1, Range(0, 100, 1, 50, 50, 2)) &&    // contrast
              OfferControl(index, ControlGroup::ProcAmp, 4, Range(0, 15, 1, 7, 7, 2)) &&       // sharpness
              OfferControl(index, ControlGroup::ProcAmp, 8, backlight) &&
              OfferControl(index, ControlGroup::CameraControl, 4, exposure) &&
              OfferControl(index, ControlGroup::Vendor, 259,
                           Range(1, 3, 1, 2, fallbackValue, kVendorValueOnly)) &&  // power line, privately
              OfferControl(index, ControlGroup::Vendor, 2053, Range(0, 1, 1, 0, 0, kVendorValueOnly));
    if (!ok) return false;
    return preset == CameraPreset::PowerLineFallback ? WithdrawControl(index, ControlGroup::ProcAmp, 13)
                                                     : OfferControl(index, ControlGroup::ProcAmp, 13, powerLine);
}

bool DefineStandardCamera(int index, const std::string& description) {
    return DefineCamera(index, description, CameraPreset::Standard);
}

bool SyncCaptureDevices() {
    ostrivan::UniqueModule server(::LoadLibraryA(VirtualCameraServerPath().c_str()));
    if (!server) return false;
    using RegisterFn = HRESULT(WINAPI*)();
    auto registerServer =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(::GetProcAddress(server.get(), "DllRegisterServer")));
    return registerServer && SUCCEEDED(registerServer());
}

void BroadcastDeviceChange() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

bool PlugVirtualCamera(int index) {
    VirtualCameraSpec config;
    if (!ReadVirtualCamera(index, &config)) return false;
    DeviceSpec node;
    node.instanceId = VirtualCameraInstanceId(index);
    node.hardwareIds = {kCameraHardwareId};
    node.description = AnsiFromUtf8(config.description);
    RemoveImageDevice(node.instanceId);
    bool ok = AddImageDevice(node) && SetCameraPlugged(index, true) && SyncCaptureDevices();
    BroadcastDeviceChange();
    return ok;
}

bool UnplugVirtualCamera(int index) {
    bool removed = RemoveImageDevice(VirtualCameraInstanceId(index));
    bool ok = SetCameraPlugged(index, false) && SyncCaptureDevices();
    BroadcastDeviceChange();
    return removed && ok;
}

void RemoveAllVirtualCameras() {
    std::vector<int> indexes = VirtualCameraIndexes();
    for (int index : indexes) {
        RemoveImageDevice(VirtualCameraInstanceId(index));
        SetCameraPlugged(index, false);
    }
    SyncCaptureDevices();
    for (int index : indexes) DeleteVirtualCamera(index);
}

}  // namespace testbed
