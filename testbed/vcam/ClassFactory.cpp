#include "vcam/ClassFactory.h"

#include "vcam/VirtualFilter.h"

#include <new>

namespace vcam {

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) ClassFactory::Release() {
    LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* filter = new (std::nothrow) VirtualFilter(camera_);
    if (!filter) return E_OUTOFMEMORY;
    HRESULT hr = filter->QueryInterface(iid, object);
    filter->Release();
    return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    vcam::LockServer(lock != FALSE);
    return S_OK;
}

}  // namespace vcam
