// The video control interface of the virtual camera: offered so that a
// client can obtain it; the console never calls it, so it has no modes.
#pragma once

#include "vcam/BoundCamera.h"

#include <dshow.h>

namespace vcam {

class VideoControlPart : public IAMVideoControl {
public:
    VideoControlPart(IUnknown* owner, const BoundCamera* bound) : owner_(owner), bound_(bound) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return owner_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    STDMETHODIMP GetCaps(IPin*, LONG* flags) override {
        if (!flags) return E_POINTER;
        bound_->AnswerLate();
        *flags = 0;
        return S_OK;
    }
    STDMETHODIMP SetMode(IPin*, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetMode(IPin*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentActualFrameRate(IPin*, LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMaxAvailableFrameRate(IPin*, LONG, SIZE, LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetFrameRateList(IPin*, LONG, SIZE, LONG*, LONGLONG**) override { return E_NOTIMPL; }

private:
    IUnknown* owner_;
    const BoundCamera* bound_;
};

}  // namespace vcam
