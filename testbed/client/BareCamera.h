// A camera reached through the platform alone, the way another program
// reaches it: the system device enumerator's video input devices, the one
// whose "FriendlyName" matches (without regard to case), bound to its
// capture filter, and the published control interfaces of that filter.
//
// Every call reports the platform's HRESULT (E_NOINTERFACE for an interface
// the filter does not offer). The caller's thread must have COM; the camera
// holds the filter and its interfaces until Close or destruction.
#pragma once

#include "devices/VirtualCameraStore.h"

#include <dshow.h>
#include <wrl/client.h>

#include <string>

namespace testbed {

class BareCamera {
public:
    static constexpr DWORD kPrivateBufferSize = 36;

    BareCamera() = default;
    ~BareCamera() { Close(); }
    BareCamera(const BareCamera&) = delete;
    BareCamera& operator=(const BareCamera&) = delete;

    // name: UTF-8. S_FALSE when no video input device has that name.
    HRESULT Open(const std::string& name);
    void Close();
    bool IsOpen() const { return filter_ != nullptr; }
    IBaseFilter* Filter() const { return filter_.Get(); }

    // Camera control or picture control, by group.
    HRESULT Range(ControlGroup group, LONG id, ControlState* range);
    HRESULT Get(ControlGroup group, LONG id, LONG* value, LONG* flags);
    HRESULT Set(ControlGroup group, LONG id, LONG value, LONG flags);
    // The camera-private set with one 36-byte buffer as instance and property
    // data, all zero but the value at byte 28.
    HRESULT GetPrivate(DWORD id, LONG* value);
    HRESULT SetPrivate(DWORD id, LONG value);

private:
    template <typename Call>
    HRESULT WithControl(ControlGroup group, Call call);

    Microsoft::WRL::ComPtr<IBaseFilter> filter_;
    Microsoft::WRL::ComPtr<IAMCameraControl> cameraControl_;
    Microsoft::WRL::ComPtr<IAMVideoProcAmp> procAmp_;
    Microsoft::WRL::ComPtr<IKsPropertySet> privateSet_;
};

}  // namespace testbed
