// Makes the capture filter of one virtual camera; the class id chose it.
#pragma once

#include "vcam/LiveObjects.h"

#include <unknwn.h>

namespace vcam {

class ClassFactory final : public IClassFactory, private Counted {
public:
    explicit ClassFactory(int camera) : camera_(camera) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~ClassFactory() = default;

    LONG references_ = 1;
    int camera_;
};

}  // namespace vcam
