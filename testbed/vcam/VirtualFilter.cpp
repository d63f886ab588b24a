#include "vcam/VirtualFilter.h"

#include "devices/VirtualCameraStore.h"
#include "vcam/VirtualPin.h"

#include <cwchar>

namespace vcam {

namespace {

BOOL CALLBACK StopAtVisible(HWND window, LPARAM seen) {
    if (!::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<bool*>(seen) = true;
    return FALSE;
}

// (EnumThreadWindows answers FALSE both when stopped and when it found none.)
bool ShowsNoWindow() {
    bool seen = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), StopAtVisible, reinterpret_cast<LPARAM>(&seen));
    return !seen;
}

}  // namespace

VirtualFilter::VirtualFilter(int camera)
    : bound_(BoundCamera::Bind(camera)),
      background_(ShowsNoWindow()),
      cameraControl_(this, &bound_),
      procAmp_(this, &bound_),
      videoControl_(this, &bound_),
      vendor_(this, &bound_) {
    testbed::CountBindStarted(camera, background_);
    // Opening a slow camera's device takes as long as any of its answers;
    // a held background bind, until the test opens the gate.
    bound_.AnswerLate();
    if (background_) bound_.HoldInBackground();
}

VirtualFilter::~VirtualFilter() { testbed::CountBindEnded(bound_.camera, background_); }

STDMETHODIMP VirtualFilter::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    testbed::VirtualCameraSpec config;
    DWORD offered = testbed::ReadVirtualCamera(bound_.camera, &config) ? config.interfaces : 0;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *object = static_cast<IBaseFilter*>(this);
    } else if (iid == IID_IKsPropertySet && (offered & testbed::kOfferPropertySet)) {
        *object = static_cast<IKsPropertySet*>(&vendor_);
    } else if (iid == IID_IAMCameraControl && (offered & testbed::kOfferCameraControl)) {
        *object = static_cast<IAMCameraControl*>(&cameraControl_);
    } else if (iid == IID_IAMVideoProcAmp && (offered & testbed::kOfferProcAmp)) {
        *object = static_cast<IAMVideoProcAmp*>(&procAmp_);
    } else if (iid == IID_IAMVideoControl && (offered & testbed::kOfferVideoControl)) {
        *object = static_cast<IAMVideoControl*>(&videoControl_);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) VirtualFilter::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) VirtualFilter::Release() {
    LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP VirtualFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = testbed::VirtualCameraClsid(bound_.camera);
    return S_OK;
}

STDMETHODIMP VirtualFilter::Stop() {
    state_ = State_Stopped;
    return S_OK;
}

STDMETHODIMP VirtualFilter::Pause() {
    state_ = State_Paused;
    return S_OK;
}

STDMETHODIMP VirtualFilter::Run(REFERENCE_TIME) {
    state_ = State_Running;
    return S_OK;
}

STDMETHODIMP VirtualFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = state_;
    return S_OK;
}

STDMETHODIMP VirtualFilter::SetSyncSource(IReferenceClock*) { return S_OK; }

STDMETHODIMP VirtualFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    *clock = nullptr;
    return S_OK;
}

STDMETHODIMP VirtualFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    *pins = nullptr;
    testbed::VirtualCameraSpec config;
    if (!testbed::ReadVirtualCamera(bound_.camera, &config) || (config.failures & testbed::kFailEnumPins)) return E_FAIL;
    *pins = new PinEnumerator(this, config.pinCount > 0 ? 1 : 0);
    return S_OK;
}

STDMETHODIMP VirtualFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    *pin = nullptr;
    testbed::VirtualCameraSpec config;
    if (std::wcscmp(id, L"Capture") != 0 || !testbed::ReadVirtualCamera(bound_.camera, &config) || config.pinCount == 0) {
        return VFW_E_NOT_FOUND;
    }
    *pin = new VirtualPin(this);
    return S_OK;
}

STDMETHODIMP VirtualFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    ::lstrcpynW(info->achName, L"Virtual camera", MAX_FILTER_NAME);
    info->pGraph = nullptr;
    return S_OK;
}

STDMETHODIMP VirtualFilter::JoinFilterGraph(IFilterGraph*, LPCWSTR) { return S_OK; }

STDMETHODIMP VirtualFilter::QueryVendorInfo(LPWSTR* info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

}  // namespace vcam
