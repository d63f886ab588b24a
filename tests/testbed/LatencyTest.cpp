// A slow camera: its binds and every call it answers come after its
// latency, set by another program or in-process, and its answers stay
// those of a real camera.
#include "RealCameraFixture.h"
#include "support/Stopwatch.h"

#include <functional>
#include <string>

namespace {

using testbed::ControlGroup;
using testsupport::RealCameraTest;
using testsupport::RunTestBedTool;

constexpr DWORD kLatencyMs = 200;

double MillisecondsOf(const std::function<void()>& call) {
    const double start = testsupport::NowMs();
    call();
    return testsupport::NowMs() - start;
}

class Latency : public RealCameraTest {};

TEST_F(Latency, EveryAnswerAndEveryBindComesLate) {
    ASSERT_EQ(0, RunTestBedTool("latency 1 " + std::to_string(kLatencyMs)));
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(kCamera, &config));
    EXPECT_EQ(kLatencyMs, config.latencyMs);

    testbed::ControlState range;
    LONG value = 0, flags = 0;
    DWORD videoCaps = 0;
    const struct {
        const char* what;
        std::function<void()> call;
    } calls[] = {
        {"range", [&] { EXPECT_EQ(S_OK, camera_.Range(ControlGroup::ProcAmp, kBrightness, &range)); }},
        {"read", [&] { EXPECT_EQ(S_OK, camera_.Get(ControlGroup::CameraControl, kExposure, &value, &flags)); }},
        {"write", [&] { EXPECT_EQ(S_OK, camera_.Set(ControlGroup::ProcAmp, kBrightness, 40, 2)); }},
        {"refused write", [&] { EXPECT_EQ(E_INVALIDARG, camera_.Set(ControlGroup::ProcAmp, kBrightness, 400, 2)); }},
        {"private read", [&] { EXPECT_EQ(S_OK, camera_.GetPrivate(259, &value)); }},
        {"private write", [&] { EXPECT_EQ(S_OK, camera_.SetPrivate(259, 3)); }},
        {"video control",
         [&] {
             Microsoft::WRL::ComPtr<IAMVideoControl> videoControl;
             ASSERT_EQ(S_OK, camera_.Filter()->QueryInterface(IID_PPV_ARGS(&videoControl)));
             LONG caps = -1;
             EXPECT_EQ(S_OK, videoControl->GetCaps(nullptr, &caps));
             videoCaps = static_cast<DWORD>(caps);
         }},
        {"bind",
         [&] {
             testbed::BareCamera second;
             EXPECT_EQ(S_OK, second.Open(kName));
         }},
    };
    // Sleep may end a clock tick early.
    const double atLeast = kLatencyMs - 16.0;
    for (const auto& call : calls) EXPECT_GE(MillisecondsOf(call.call), atLeast) << call.what;

    // Late, but the camera's own answers.
    EXPECT_EQ(0, range.minimum);
    EXPECT_EQ(255, range.maximum);
    EXPECT_EQ(40, Stored(ControlGroup::ProcAmp, kBrightness).value);
    EXPECT_EQ(3, Stored(ControlGroup::Vendor, 259).value);
    EXPECT_EQ(0u, videoCaps);
}

TEST_F(Latency, SetAtDefinitionAndRefusedBeyondItsLimit) {
    ASSERT_EQ(0, RunTestBedTool("camera 2 \"Slow Camera\" --real --latency 300"));
    testbed::VirtualCameraSpec config;
    ASSERT_TRUE(testbed::ReadVirtualCamera(2, &config));
    EXPECT_EQ(300u, config.latencyMs);
    EXPECT_EQ(testbed::kRealCamera, config.behaviour) << "the latency leaves the preset as it was";

    EXPECT_EQ(2, RunTestBedTool("latency 2 10001"));
    EXPECT_EQ(2, RunTestBedTool("latency 2 -1"));
    EXPECT_EQ(2, RunTestBedTool("latency 2"));
    EXPECT_FALSE(testbed::SetCameraLatency(2, testbed::kMaxLatencyMs + 1));
    ASSERT_TRUE(testbed::ReadVirtualCamera(2, &config));
    EXPECT_EQ(300u, config.latencyMs);

    // Defining the camera anew makes it answer at once again.
    ASSERT_EQ(0, RunTestBedTool("camera 2 \"Slow Camera\" --real"));
    ASSERT_TRUE(testbed::ReadVirtualCamera(2, &config));
    EXPECT_EQ(0u, config.latencyMs);
}

}  // namespace
