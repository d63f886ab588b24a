// The virtual camera as other processes see it: a write in one process is
// what the next process reads, and the test-bed tool plugs and unplugs a
// camera (device node and capture device) as one act, with the device-change
// broadcast that top-level windows get from Windows.
#include "camera/CameraChannel.h"
#include "camera/CameraDiscovery.h"
#include "driving/Pump.h"
#include "support/VirtualCameraFixture.h"

#include <dbt.h>

#include <memory>
#include <string>
#include <vector>

using namespace ostrivan;

namespace {

constexpr char kName[] = "XC0730 Web Camera";

// A hidden top-level window that records the device-change notifications it gets.
class DeviceChangeWindow {
public:
    DeviceChangeWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "CameraTestDeviceChange";
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~DeviceChangeWindow() { ::DestroyWindow(window_); }

    explicit operator bool() const { return window_ != nullptr; }
    std::vector<WPARAM> received;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<DeviceChangeWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_DEVICECHANGE && self) {
            self->received.push_back(wParam);
            return TRUE;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

// Runs a program of the test folder while this thread keeps serving its
// windows' messages; returns the exit code, or -1.
int RunServingMessages(const std::string& arguments) {
    std::string line = testsupport::ProgramFolder() + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    const bool ended =
        driving::PumpUntil([&] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    DWORD code = static_cast<DWORD>(-1);
    if (ended) ::GetExitCodeProcess(process.hProcess, &code);
    else ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

uint32_t FindCamerasNow(std::unique_ptr<LaunchContext>& context) {
    context = std::make_unique<LaunchContext>();
    return FindCameras(context.get());
}

class PlugAcrossProcesses : public testsupport::VirtualCameraBed {};

TEST_F(PlugAcrossProcesses, AWriteInOneProcessIsWhatTheNextReads) {
    PlugStandardCamera(1, kName);
    const std::string probe = "camera_probe.exe \"" + std::string(kName) + "\" ";
    ASSERT_EQ(0, RunServingMessages(probe + "write 0 77"));

    CameraChannel channel;
    CameraProperty brightness{};
    EXPECT_TRUE(OpenCameraChannel(kName, &channel));
    EXPECT_TRUE(ReadCameraProperty(&channel, IID_IAMVideoProcAmp, 0, &brightness));
    EXPECT_EQ(77, brightness.value);
    brightness.value = 33;
    EXPECT_TRUE(WriteCameraProperty(&channel, IID_IAMVideoProcAmp, 0, &brightness));
    CloseCameraChannel(&channel);

    EXPECT_EQ(33, RunServingMessages(probe + "read 0"));
}

TEST_F(PlugAcrossProcesses, ToolPlugsAndUnplugsDeviceNodeAndCaptureDeviceTogether) {
    DeviceChangeWindow window;
    ASSERT_TRUE(window);
    std::unique_ptr<LaunchContext> context;

    ASSERT_EQ(0, RunServingMessages("camtestbed.exe plug 5 \"Tool Camera\""));
    ASSERT_EQ(kStatusOk, FindCamerasNow(context));
    ASSERT_EQ(1u, context->deviceCount);
    EXPECT_STREQ("Tool Camera", context->deviceNames[0]);
    CameraChannel channel;
    EXPECT_TRUE(OpenCameraChannel(context->deviceNames[0], &channel));
    CloseCameraChannel(&channel);
    ASSERT_EQ(1u, window.received.size());
    EXPECT_EQ(static_cast<WPARAM>(DBT_DEVNODES_CHANGED), window.received[0]);

    ASSERT_EQ(0, RunServingMessages("camtestbed.exe unplug 5"));
    EXPECT_EQ(kStatusNoCamera, FindCamerasNow(context));
    EXPECT_FALSE(OpenCameraChannel("Tool Camera", &channel));
    CloseCameraChannel(&channel);
    ASSERT_EQ(2u, window.received.size());
    EXPECT_EQ(static_cast<WPARAM>(DBT_DEVNODES_CHANGED), window.received[1]);
}

TEST_F(PlugAcrossProcesses, ToolConfiguresTheCamera) {
    ASSERT_EQ(0, RunServingMessages("camtestbed.exe camera 2 \"Odd Camera\""));
    // Brightness reported with an inverted range and a manual value below it.
    ASSERT_EQ(0, RunServingMessages("camtestbed.exe property 2 procamp 0 10 0 0 5 -5 2"));
    ASSERT_EQ(0, RunServingMessages("camtestbed.exe plug 2"));

    CameraChannel channel;
    CameraProperty brightness{};
    EXPECT_TRUE(OpenCameraChannel("Odd Camera", &channel));
    EXPECT_TRUE(ReadCameraProperty(&channel, IID_IAMVideoProcAmp, 0, &brightness));
    CloseCameraChannel(&channel);
    EXPECT_EQ(0, brightness.minimum);
    EXPECT_EQ(10, brightness.maximum);
    EXPECT_EQ(0, brightness.value);
    EXPECT_EQ(1u, testbed::SetCallCount(2, testbed::ControlGroup::ProcAmp, 0));

    // A camera the tool gives no camera control interface does not open.
    ASSERT_EQ(0, RunServingMessages("camtestbed.exe camera 2 \"Odd Camera\" --interfaces 13"));
    EXPECT_FALSE(OpenCameraChannel("Odd Camera", &channel));
    CloseCameraChannel(&channel);
}

}  // namespace
