// The capture filter of one virtual camera. What it offers to
// QueryInterface, its pins and its failing calls come from the shared store
// at the moment of the call; its control interfaces are parts that share
// the filter's identity and reference count. It counts itself as a bind of
// its camera for as long as it lives; a slow camera's bind, like each of its
// answers, comes after the camera's latency, and a camera that holds
// background binds keeps those at its bind gate.
#pragma once

#include "vcam/BoundCamera.h"
#include "vcam/ControlPart.h"
#include "vcam/LiveObjects.h"
#include "vcam/VendorPart.h"
#include "vcam/VideoControlPart.h"

#include <dshow.h>

namespace vcam {

class VirtualFilter final : public IBaseFilter, private Counted {
public:
    explicit VirtualFilter(int camera);

    int Camera() const { return bound_.camera; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetClassID(CLSID* clsid) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

private:
    ~VirtualFilter();

    LONG references_ = 1;
    BoundCamera bound_;
    // Bound by a thread that shows no window: counted apart, so that tests
    // can tell a console's background work from its window's own.
    bool background_;
    FILTER_STATE state_ = State_Stopped;
    CameraControlPart cameraControl_;
    ProcAmpPart procAmp_;
    VideoControlPart videoControl_;
    VendorPart vendor_;
};

}  // namespace vcam
