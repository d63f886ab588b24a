// A dialog with the camera menu button and a position-tip slider bound to
// its controls, made from this program's own template.
#pragma once

#include "ConsoleTestIds.h"
#include "ResourceIds.h"
#include "console/DeviceMenuButton.h"
#include "framework/Dialog.h"
#include "framework/TipSlider.h"
#include "skin/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace consoletest {

class ControlsDialog : public ostrivan::Dialog {
public:
    ControlsDialog() : Dialog(IDD_CONSOLE_TEST, EnterEscape::Swallow) {}
    ostrivan::DeviceMenuButton button;
    ostrivan::TipSlider slider;
    int picks = 0;
    std::function<void()> onAppMessage;
    bool postAppAtInit = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case ostrivan::kMsgCameraPicked: return OnCameraPicked();
        case WM_APP: return OnApp();
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnInitDialog() {
        EXPECT_TRUE(button.BindControl(hwnd(), IDC_TEST_CAMERA_BUTTON));
        EXPECT_TRUE(slider.BindControl(hwnd(), IDC_TEST_TIP_SLIDER));
        if (postAppAtInit) ::PostMessageA(hwnd(), WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT OnCameraPicked() {
        ++picks;
        return 0;
    }
    LRESULT OnApp() {
        if (onAppMessage) onAppMessage();
        return 0;
    }
};

class ConsoleControls : public ::testing::Test {
protected:
    void SetUp() override {
        ostrivan::SetResourceSource(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(dialog.Create(nullptr));
        ::ShowWindow(dialog.hwnd(), SW_SHOW);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        ostrivan::SetResourceSource(nullptr);
    }
    ControlsDialog dialog;
};

}  // namespace consoletest
