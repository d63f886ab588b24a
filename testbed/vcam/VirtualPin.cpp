#include "vcam/VirtualPin.h"

#include "devices/VirtualCameraStore.h"
#include "vcam/VirtualFilter.h"

#include <cstring>
#include <cwchar>

namespace vcam {

namespace {
constexpr wchar_t kPinName[] = L"Capture";
}  // namespace

VirtualPin::VirtualPin(VirtualFilter* filter) : filter_(filter) { filter_->AddRef(); }
VirtualPin::~VirtualPin() { filter_->Release(); }

STDMETHODIMP VirtualPin::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPin) return E_NOINTERFACE;
    *object = static_cast<IPin*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) VirtualPin::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) VirtualPin::Release() {
    LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP VirtualPin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = nullptr;
    return VFW_E_NOT_CONNECTED;
}

STDMETHODIMP VirtualPin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = filter_;
    filter_->AddRef();
    info->dir = PINDIR_OUTPUT;
    std::wcsncpy(info->achName, kPinName, MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP VirtualPin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

STDMETHODIMP VirtualPin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    *id = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof(kPinName)));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, kPinName, sizeof(kPinName));
    return S_OK;
}

PinEnumerator::PinEnumerator(VirtualFilter* filter, ULONG pinCount, ULONG position)
    : filter_(filter), pinCount_(pinCount), position_(position) {
    filter_->AddRef();
}
PinEnumerator::~PinEnumerator() { filter_->Release(); }

STDMETHODIMP PinEnumerator::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IEnumPins) return E_NOINTERFACE;
    *object = static_cast<IEnumPins*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) PinEnumerator::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) PinEnumerator::Release() {
    LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP PinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins || (count > 1 && !fetched)) return E_POINTER;
    if (fetched) *fetched = 0;
    testbed::VirtualCameraSpec config;
    if (!testbed::ReadVirtualCamera(filter_->Camera(), &config) || (config.failures & testbed::kFailNextPin)) {
        return E_FAIL;
    }
    ULONG given = 0;
    while (given < count && position_ < pinCount_) {
        pins[given++] = new VirtualPin(filter_);
        ++position_;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Skip(ULONG count) {
    ULONG left = pinCount_ - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP PinEnumerator::Clone(IEnumPins** copy) {
    if (!copy) return E_POINTER;
    *copy = new PinEnumerator(filter_, pinCount_, position_);
    return S_OK;
}

}  // namespace vcam
