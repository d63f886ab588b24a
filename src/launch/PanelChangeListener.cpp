#include "launch/PanelChangeListener.h"

#include "launch/KernelObjectNames.h"

#include <process.h>

#include <cstdio>

namespace ostrivan {

PanelChangeListener::PanelChangeListener() {
    threadBlock_.magic = kThreadMagic;
    threadBlock_.owner = this;
}

PanelChangeListener::~PanelChangeListener() {
    Stop();
    if (events_[kNamedEvent]) ::CloseHandle(events_[kNamedEvent]);
    if (events_[kStopEvent]) ::CloseHandle(events_[kStopEvent]);
}

uint32_t PanelChangeListener::OnPeerChange(uint32_t, uint32_t) { return 0; }

bool PanelChangeListener::Create(int32_t mode, const char* title) {
    if (!title) title = "";
    std::snprintf(standaloneName_, sizeof(standaloneName_), "%s%s", kStandalonePanelEventPrefix, title);
    std::snprintf(integratedName_, sizeof(integratedName_), "%s%s", kIntegratedPanelEventPrefix, title);
    if (mode != kStandalone && mode != kIntegrated) return false;
    if (events_[kNamedEvent] || events_[kStopEvent]) return false;  // created once per listener

    events_[kNamedEvent] = ::CreateEventA(nullptr, FALSE, FALSE, mode == kIntegrated ? integratedName_ : standaloneName_);
    DWORD error = ::GetLastError();
    mode_ = mode;
    // A second panel of the same name in the same kind of console does not listen.
    if (!events_[kNamedEvent] || error == ERROR_ALREADY_EXISTS) return false;

    events_[kStopEvent] = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!events_[kStopEvent]) return false;
    threadBlock_.count = 2;
    threadBlock_.handles = events_;
    return true;
}

bool PanelChangeListener::Start(uint32_t param) {
    if (thread_ || threadBlock_.count != 2) return false;
    threadBlock_.param = param;
    thread_ = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, ThreadMain, &threadBlock_, 0, nullptr));
    return thread_ != nullptr;
}

void PanelChangeListener::Stop() {
    if (!events_[kStopEvent] || !thread_) return;
    ::SetEvent(events_[kStopEvent]);
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    thread_ = nullptr;
}

unsigned __stdcall PanelChangeListener::ThreadMain(void* parameter) {
    auto* block = static_cast<ThreadBlock*>(parameter);
    if (!block || block->magic != kThreadMagic) return 0;
    while (::WaitForMultipleObjects(block->count, block->handles, FALSE, INFINITE) == WAIT_OBJECT_0) {
        block->owner->OnPeerChange(0, block->param);
    }
    return 0;
}

}  // namespace ostrivan
