// CameraPanel: what the view panel and the advanced settings dialog share.
// A dialog on the selected camera, made from a Form: a table of property
// rows (PropertyTable.h) whose records it reads, writes, shows and disables
// with one loop each, the sliders of those rows, its skin, and refreshes:
// every 1.5 s while visible and whenever another copy of the console
// signals its named event; its second base is the change listener for that
// event. A panel adds only what is its own.
//
// Records and controls: the window never calls the camera once it shows.
// Its camera worker (CameraWorker.h) reads and writes; Refresh asks it for
// a reading, WriteRecords for a write of some rows, and the reading comes
// back as a message whose records ShowRecords and the panel's ShowReading
// put into the controls. So:
//   - a refresh tick that finds the worker busy is skipped;
//   - a reading never overwrites a row the user changed after it was asked
//     for: that row keeps the user's value until a later reading;
//   - a reading of another camera than the current one is dropped.
// A panel whose form says so waits (a little) for its first reading while
// it opens, so that it shows with the camera's values.
//
// Threads: the records and controls of a panel belong to its window's
// thread. The listener's thread (or any other) only asks, by posting one
// refresh request to the window; the window's thread refreshes. The
// listener runs while the window exists and is stopped before it goes; it
// reaches nothing of the panel but that request, a member of this class,
// so this class's destructor stops it.
//
// Error rule: nothing here reports failure; a listener that cannot be
// created leaves the panel refreshing by its timer only.
#pragma once

#include "camera/CameraChannel.h"
#include "dialogs/CameraWorker.h"
#include "dialogs/PropertyTable.h"
#include "dialogs/RememberedControls.h"
#include "framework/Dialog.h"
#include "framework/PostTarget.h"
#include "framework/TipSlider.h"
#include "launch/LaunchContext.h"
#include "launch/PanelChangeListener.h"
#include "skin/SkinSession.h"

#include <cstddef>
#include <cstdint>

namespace ostrivan {

class CameraPanel : public Dialog, public PanelChangeListener {
public:
    static constexpr size_t kMaxRows = kMaxPropertyRows;
    // When the sliders' position tips are switched on.
    enum class PositionTips { AtOpening, AfterShow };
    // Whether the opening waits for the first reading.
    enum class FirstReading { BeforeShowing, WhenItComes };
    // How long an opening waits for it.
    static constexpr DWORD kFirstReadingWaitMs = 1000;
    // What a panel is made of, in a static table of the panel's own.
    struct Form {
        UINT templateId;
        EnterEscape keys;
        const char* title;            // of the change listener
        ListOf<PropertyRow> rows;     // at most kMaxRows, in the order of the records
        ListOf<int> controls;         // further controls that follow the camera
        PositionTips tips;
        ListOf<uint32_t> skinnedIds;  // the skin descriptor's list of ids; none: the plain descriptor
        FirstReading firstReading;
    };

    // Create(parent) makes the window, Create(mode, title) the listener.
    using Dialog::Create;
    using PanelChangeListener::Create;

    // The owner's launch record and its current camera, before the window
    // is made; a panel that shows with its first reading asks for it now.
    void Attach(LaunchContext* owner);
    // Reason 0 asks for a refresh, from any thread; it runs on the window's
    // thread, when the window is visible.
    uint32_t OnPeerChange(uint32_t reason, uint32_t param) override;

    // A camera job queued or running, or a reading not yet shown.
    bool CameraBusy() { return camera_.Busy(); }
    const char* deviceNameForTesting() const { return deviceName_; }
    const CameraProperty& recordForTesting(int row) const { return records_[row]; }

protected:
    // The form must outlive the panel.
    explicit CameraPanel(const Form& form);
    // Stops the listener, then destroys a window still there; by then only
    // this class's WM_DESTROY handler runs.
    ~CameraPanel() override;

    // Takes the opening, the sliders' moves, the timer, the refresh
    // requests, the worker's readings and the window's end. A panel's own WM_INITDIALOG and
    // WM_DESTROY handlers only look, and run before these.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Asks the worker for a reading, shown when it comes; on the window's
    // thread only. With no camera named, shows that none can be opened.
    void Refresh();
    // A refresh tick: skipped while the window is hidden or covered, or
    // while the worker is busy.
    void RefreshIfVisible();
    // The panel is covered by a window of its own that keeps it from use.
    virtual bool Covered() const { return false; }
    // Asks for a refresh once the messages queued now are handled.
    void RequestRefresh() { (void)refreshTarget_.Post(); }
    // No request reaches the window after this; called first when it goes.
    void StopListening();

    // The camera's state after a reading, in the controls: the panel's own
    // controls, the rows' through ShowRecords. opened: whether the camera
    // could be opened; the records hold what it answered.
    virtual void ShowReading(bool opened) = 0;
    // Asks for the wanted values of the rows (a bit each) to be written;
    // rows written before without success are tried again. The job's
    // number, 0 when none was asked for.
    uint32_t WriteRecords(uint32_t rows);
    uint32_t AllRows() const { return (1u << rows_.count) - 1; }
    static uint32_t RowBit(int row) { return 1u << row; }
    // Waits for a write to reach the camera (see CameraWorker::WaitFor).
    bool WaitForCamera(uint32_t job, DWORD limitMs, bool takeMessages, const std::function<bool()>& giveUp = {}) {
        return camera_.WaitFor(job, limitMs, takeMessages, giveUp);
    }
    // Each row of the latest reading with a valid record: its group enabled
    // and its slider set up from the record; a row whose record is invalid
    // keeps its controls as they are.
    void ShowRecords();
    // Every row's controls and the form's further controls.
    void DisableCameraControls();
    // The record's value and its slider back to the camera's default.
    void ResetToDefault(int row);

    void SetDeviceName(const char* name);
    // Enables or disables a control remembered at opening; one whose state
    // is right already is left alone.
    void EnableControl(int id, bool enable) { controls_.Enable(id, enable); }
    void RememberControl(int id) { controls_.Remember(hwnd(), id); }

    CameraProperty& record(int row) { return records_[row]; }
    TipSlider& slider(int row) { return sliders_[row]; }
    size_t rowCount() const { return rows_.count; }
    LaunchContext* owner() const { return owner_; }
    char deviceName_[kPathSize] = {};

private:
    // Binds the sliders, skins the window, disables its camera controls,
    // refreshes and starts listening.
    LRESULT OnInitDialog();
    void OnHScroll(UINT code, HWND slider);
    void OnTimer();
    LRESULT OnRefreshRequest();
    LRESULT OnCameraReading(uintptr_t id);
    void OnDestroy();

    void ReadBeforeShowing();
    void ApplyReading(const CameraReading& reading);

    void BindSliders();
    void SkinWindow();
    // Every row's group and slider, then the form's further controls.
    void ListCameraControls();
    void AddCameraControl(int id);
    ListOf<int> cameraControls() const { return {cameraControls_, cameraControlCount_}; }
    // The listener (created once, for the object's whole life, and started
    // when none runs) and the timer.
    void StartListening();

    const Form& form_;
    ListOf<PropertyRow> rows_;  // the form's, at most kMaxRows
    CameraProperty records_[kMaxRows] = {};
    TipSlider sliders_[kMaxRows];
    int cameraControls_[RememberedControls::kMaxControls] = {};
    size_t cameraControlCount_ = 0;
    RememberedControls controls_;
    SkinSession skin_;
    LaunchContext* owner_ = nullptr;
    PostTarget refreshTarget_;
    CameraWorker camera_{rows_};
    // The job that last asked to write each row, and the rows the latest
    // reading brought (the others keep the user's newer values).
    uint32_t rowWrite_[kMaxRows] = {};
    uint32_t shownRows_ = 0;
    // Asked for by Attach, taken by the opening when still of its camera.
    uint32_t firstRead_ = 0;
    char firstReadDevice_[kPathSize] = {};
};

}  // namespace ostrivan
