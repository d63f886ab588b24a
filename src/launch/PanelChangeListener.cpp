#include "launch/PanelChangeListener.h"

#include "base/NamedObjects.h"
#include "base/Threads.h"
#include "launch/KernelObjectNames.h"

#include <cstdio>

namespace ostrivan {

PanelChangeListener::PanelChangeListener() {
    threadBlock_.magic = kThreadMagic;
    threadBlock_.owner = this;
}

// The thread ends before the owners close the events it waits on.
PanelChangeListener::~PanelChangeListener() { Stop(); }

uint32_t PanelChangeListener::OnPeerChange(uint32_t, uint32_t) { return 0; }

bool PanelChangeListener::Create(int32_t mode, const char* title) {
    if (!title) title = "";
    std::snprintf(standaloneName_, sizeof(standaloneName_), "%s%s", kStandalonePanelEventPrefix, title);
    std::snprintf(integratedName_, sizeof(integratedName_), "%s%s", kIntegratedPanelEventPrefix, title);
    if (mode != kStandalone && mode != kIntegrated) return false;
    if (namedEvent_ || stopEvent_) return false;  // created once per listener

    bool existed = false;
    namedEvent_ = CreateNamedEvent(mode == kIntegrated ? integratedName_ : standaloneName_, &existed);
    mode_ = mode;
    // A second panel of the same name in the same kind of console does not listen.
    if (!namedEvent_ || existed) return false;

    stopEvent_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!stopEvent_) return false;
    waits_[0] = namedEvent_.get();
    waits_[1] = stopEvent_.get();
    threadBlock_.count = 2;
    threadBlock_.handles = waits_;
    return true;
}

bool PanelChangeListener::Start(uint32_t param) {
    if (thread_ || threadBlock_.count != 2) return false;
    threadBlock_.param = param;
    thread_ = StartThread(ThreadMain, &threadBlock_);
    return static_cast<bool>(thread_);
}

void PanelChangeListener::Stop() {
    if (!stopEvent_ || !thread_) return;
    ::SetEvent(stopEvent_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
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
