#include "devices/BindGate.h"

#include "devices/VirtualCameraStore.h"

#include <string>

namespace testbed {

namespace {

std::string GateName(int index) { return "CameraTestBedBindGate" + std::to_string(index); }

}  // namespace

BindGate::BindGate(int index) : event_(::CreateEventA(nullptr, TRUE, FALSE, GateName(index).c_str())) {
    // A gate that another test left open is closed again.
    if (event_) ::ResetEvent(event_.get());
}

void BindGate::Open() {
    if (event_) ::SetEvent(event_.get());
}

void WaitAtBindGate(int index) {
    ostrivan::UniqueHandle gate(::OpenEventA(SYNCHRONIZE, FALSE, GateName(index).c_str()));
    if (gate) ::WaitForSingleObject(gate.get(), kMaxBindHoldMs);
}

}  // namespace testbed
