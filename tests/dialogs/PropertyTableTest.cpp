// A camera panel's property rows and their records' exchange with a virtual
// camera: rows read in order, only valid changed records written, a row's
// own ways to the camera taken instead of the published property.
#include "dialogs/PropertyTable.h"
#include "support/VirtualCameraFixture.h"

using namespace ostrivan;
using testbed::ControlGroup;

namespace {

constexpr LONG kBrightness = 0;  // picture control
constexpr LONG kContrast = 1;    // picture control
constexpr LONG kExposure = 4;    // camera control
constexpr LONG kMissing = 9;     // gain, a picture control the camera does not offer

const PropertyRow kRows[] = {
    {&IID_IAMCameraControl, kExposure, {}, 0, SliderUse::Always, nullptr, nullptr},
    {&IID_IAMVideoProcAmp, kBrightness, {}, 0, SliderUse::Always, nullptr, nullptr},
    {&IID_IAMVideoProcAmp, kMissing, {}, 0, SliderUse::Always, nullptr, nullptr},
};

class PropertyTableTest : public testsupport::OneCameraBed {
protected:
    void SetUp() override {
        OneCameraBed::SetUp();
        Offer(ControlGroup::CameraControl, kExposure, -13, -1, -6);
        Offer(ControlGroup::ProcAmp, kBrightness, 0, 40, 8);
        Offer(ControlGroup::ProcAmp, kContrast, 0, 100, 60);
    }
    static void Offer(ControlGroup group, LONG id, LONG minimum, LONG maximum, LONG value) {
        ASSERT_TRUE(testbed::OfferControl(kCamera, group, id,
                                          testbed::OfferedState(minimum, maximum, 1, minimum, value, 2, 3)));
    }
    static LONG Stored(ControlGroup group, LONG id) {
        testbed::ControlState state;
        EXPECT_TRUE(testbed::ReadControl(kCamera, group, id, &state));
        return state.value;
    }

    CameraProperty records_[3] = {};
};

TEST_F(PropertyTableTest, EachRowIsReadIntoItsRecord) {
    ASSERT_TRUE(ReadCameraRows(kName, kRows, records_));
    EXPECT_EQ(1, records_[0].valid);
    EXPECT_EQ(-6, records_[0].value);
    EXPECT_EQ(-13, records_[0].minimum);
    EXPECT_EQ(1, records_[1].valid);
    EXPECT_EQ(8, records_[1].value);
    EXPECT_EQ(40, records_[1].maximum);
    EXPECT_EQ(0, records_[2].valid) << "a property the camera lacks";
}

TEST_F(PropertyTableTest, ACameraThatCannotBeOpenedLeavesTheRecordsAlone) {
    records_[1].valid = 1;
    records_[1].value = 17;
    EXPECT_FALSE(ReadCameraRows("No Such Camera", kRows, records_));
    EXPECT_EQ(1, records_[1].valid);
    EXPECT_EQ(17, records_[1].value);
}

TEST_F(PropertyTableTest, OnlyValidChangedRecordsAreWritten) {
    ASSERT_TRUE(ReadCameraRows(kName, kRows, records_));
    records_[1].value = 20;
    records_[2].value = 5;  // invalid: nothing of this camera's
    WriteCameraRows(kName, kRows, records_);
    EXPECT_EQ(20, Stored(ControlGroup::ProcAmp, kBrightness));
    EXPECT_EQ(20, records_[1].appliedValue);
    EXPECT_EQ(1u, testbed::SetCallCount(kCamera, ControlGroup::ProcAmp, kBrightness));
    EXPECT_EQ(0u, testbed::SetCallCount(kCamera, ControlGroup::CameraControl, kExposure));
    EXPECT_EQ(0u, testbed::SetCallCount(kCamera, ControlGroup::ProcAmp, kMissing));
}

TEST_F(PropertyTableTest, AWriteThatChangesNothingDoesNotLookForTheCamera) {
    ASSERT_TRUE(ReadCameraRows(kName, kRows, records_));
    ASSERT_TRUE(testbed::ResetBindCounts(kCamera));
    WriteCameraRows(kName, kRows, records_);
    EXPECT_EQ(0u, testbed::ReadBindCounts(kCamera).total);
    records_[0].value = -7;
    WriteCameraRows(kName, kRows, records_);
    EXPECT_EQ(1u, testbed::ReadBindCounts(kCamera).total);
    EXPECT_EQ(-7, Stored(ControlGroup::CameraControl, kExposure));
}

// A row's own ways: they count their calls and pass on to contrast.
int g_ownReads = 0;
int g_ownWrites = 0;
bool ReadOwn(CameraChannel* channel, CameraProperty* record) {
    ++g_ownReads;
    return ReadCameraProperty(channel, IID_IAMVideoProcAmp, kContrast, record);
}
bool WriteOwn(CameraChannel* channel, CameraProperty* record) {
    ++g_ownWrites;
    return WriteCameraProperty(channel, IID_IAMVideoProcAmp, kContrast, record);
}

TEST_F(PropertyTableTest, ARowWithItsOwnWaysIsExchangedThroughThem) {
    const PropertyRow ownRows[] = {
        {&IID_IAMVideoProcAmp, kMissing, {}, 0, SliderUse::Always, ReadOwn, WriteOwn},
    };
    g_ownReads = g_ownWrites = 0;
    ASSERT_TRUE(ReadCameraRows(kName, ownRows, records_));
    EXPECT_EQ(1, g_ownReads);
    EXPECT_EQ(60, records_[0].value);
    records_[0].value = 70;
    WriteCameraRows(kName, ownRows, records_);
    EXPECT_EQ(1, g_ownWrites);
    EXPECT_EQ(70, Stored(ControlGroup::ProcAmp, kContrast));
    EXPECT_EQ(0u, testbed::SetCallCount(kCamera, ControlGroup::ProcAmp, kMissing));
}

}  // namespace
