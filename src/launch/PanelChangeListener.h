// Second base of a panel that refreshes itself when another party signals
// its named event. Create and Start report success as bool; a listener whose
// Create fails is simply not started.
#pragma once

#include "base/Limits.h"
#include "base/UniqueHandle.h"

#include <windows.h>

#include <cstdint>

namespace ostrivan {

class PanelChangeListener {
public:
    enum Mode : int32_t { kStandalone = 0, kIntegrated = 1, kNotCreated = 2 };
    static constexpr uint32_t kThreadMagic = 0x45524854;  // "THRE"

    PanelChangeListener();
    virtual ~PanelChangeListener();
    PanelChangeListener(const PanelChangeListener&) = delete;
    PanelChangeListener& operator=(const PanelChangeListener&) = delete;

    // Called on the listener thread; reason is always 0 here.
    virtual uint32_t OnPeerChange(uint32_t reason, uint32_t param);

    [[nodiscard]] bool Create(int32_t mode, const char* title);
    [[nodiscard]] bool Start(uint32_t param);
    // Ends the thread and waits for it; the owner calls this first when it is
    // destroyed, so no OnPeerChange runs on a half-destroyed panel.
    void Stop();

    int32_t mode() const { return mode_; }
    const char* standaloneNameForTesting() const { return standaloneName_; }
    const char* integratedNameForTesting() const { return integratedName_; }

private:
    struct ThreadBlock {
        uint32_t magic;
        uint32_t param;
        uint32_t count;
        HANDLE* handles;
        PanelChangeListener* owner;
    };
    static unsigned __stdcall ThreadMain(void* block);

    UniqueHandle namedEvent_;
    UniqueHandle stopEvent_;
    int32_t mode_ = kNotCreated;
    ThreadBlock threadBlock_{};
    UniqueHandle thread_;
    // The two events again, as the array the thread waits on; not owned.
    HANDLE waits_[2] = {nullptr, nullptr};
    char standaloneName_[kPathSize] = {};
    char integratedName_[kPathSize] = {};
};

}  // namespace ostrivan
