#include "camera/CameraChannel.h"

#include "base/BoundedText.h"
#include "base/Limits.h"

#include <cstring>

namespace ostrivan {

using Microsoft::WRL::ComPtr;

namespace {

// The moniker's "FriendlyName" as ANSI text of at most kPathSize bytes. A name
// that is missing, does not fit, or has characters the code page cannot hold
// cannot equal any device description, so it gives false.
bool ReadFriendlyName(IMoniker* moniker, char (&name)[kPathSize]) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                      reinterpret_cast<void**>(bag.ReleaseAndGetAddressOf())))) {
        return false;
    }
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    bool ok = false;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal) {
        // UTF-8 holds every character; other code pages report what they replaced.
        bool utf8 = ::GetACP() == CP_UTF8;
        BOOL lossy = FALSE;
        int length = ::WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, value.bstrVal, -1, name,
                                           kPathSize, nullptr, utf8 ? nullptr : &lossy);
        ok = length > 0 && !lossy;
    }
    ::VariantClear(&value);
    return ok;
}

bool NameMatches(IMoniker* moniker, const char* deviceName) {
    char name[kPathSize] = {};
    return ReadFriendlyName(moniker, name) && ::lstrcmpiA(name, deviceName) == 0;
}

// Binds the first video input device whose friendly name is deviceName.
bool BindDevice(const char* deviceName, ComPtr<IBaseFilter>& filter) {
    ComPtr<IEnumMoniker> devices;
    {
        ComPtr<ICreateDevEnum> enumerator;
        if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                      reinterpret_cast<void**>(enumerator.ReleaseAndGetAddressOf())))) {
            return false;
        }
        // S_FALSE: the category is empty and no enumerator comes back.
        if (enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, devices.ReleaseAndGetAddressOf(), 0) !=
            S_OK) {
            return false;
        }
    }
    if (!devices) return false;
    devices->Reset();
    ComPtr<IMoniker> moniker;
    while (devices->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        if (!moniker || !NameMatches(moniker.Get(), deviceName)) continue;
        return SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                               reinterpret_cast<void**>(filter.ReleaseAndGetAddressOf())));
    }
    return false;
}

template <typename Interface>
bool Obtain(IBaseFilter* filter, ComPtr<Interface>& target) {
    return SUCCEEDED(filter->QueryInterface(__uuidof(Interface),
                                            reinterpret_cast<void**>(target.ReleaseAndGetAddressOf())));
}

// A filter without pins is accepted; an enumeration that reports an error is not.
bool TakeFirstPin(IBaseFilter* filter, ComPtr<IPin>& pin) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.ReleaseAndGetAddressOf())) || !pins) return false;
    pins->Reset();
    return SUCCEEDED(pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr));
}

bool IsEmpty(const CameraChannel& channel) {
    return !channel.filter && !channel.propertySet && !channel.cameraControl && !channel.procAmp &&
           !channel.videoControl && !channel.firstPin;
}

}  // namespace

bool OpenCameraChannel(const char* deviceName, CameraChannel* channel) {
    // A channel already in use is refused untouched, so its references and its
    // COM use are still released exactly once by its own close.
    if (!channel || channel->comStarted_ || !IsEmpty(*channel)) return false;
    HRESULT started = ::CoInitialize(nullptr);
    channel->comStarted_ = SUCCEEDED(started);
    // A host thread already in the multithreaded apartment can make the
    // calls as it is; only an initialisation made here is undone on close.
    if (FAILED(started) && started != RPC_E_CHANGED_MODE) return false;

    // Friendly names are at most kPathSize - 1 bytes; a longer name cannot match.
    if (!deviceName || ::strnlen(deviceName, kPathSize) >= kPathSize) return false;
    if (!BindDevice(deviceName, channel->filter)) return false;

    IBaseFilter* filter = channel->filter.Get();
    if (!Obtain(filter, channel->propertySet) || !Obtain(filter, channel->cameraControl) ||
        !Obtain(filter, channel->procAmp) || !Obtain(filter, channel->videoControl)) {
        return false;
    }
    return TakeFirstPin(filter, channel->firstPin);
}

bool CloseCameraChannel(CameraChannel* channel) {
    if (!channel) return true;
    channel->propertySet.Reset();
    channel->filter.Reset();
    channel->cameraControl.Reset();
    channel->procAmp.Reset();
    channel->videoControl.Reset();
    channel->firstPin.Reset();
    if (channel->comStarted_) {
        channel->comStarted_ = false;
        ::CoUninitialize();
    }
    return true;
}

}  // namespace ostrivan
