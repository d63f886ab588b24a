// Step alignment and page size of a slider over a property's range.
#include "camera/CameraChannel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using namespace ostrivan;

namespace {

CameraProperty Range(int32_t minimum, int32_t maximum, int32_t step, int32_t value) {
    CameraProperty property{};
    property.valid = 1;
    property.minimum = minimum;
    property.maximum = maximum;
    property.step = step;
    property.value = value;
    return property;
}

struct SnapCase {
    const char* name;
    CameraProperty property;
    int32_t proposed;
    bool moved;
    int32_t result;  // the proposal afterwards
};

class Snap : public ::testing::TestWithParam<SnapCase> {};

TEST_P(Snap, RoundsToTheNearestStepInsideTheRange) {
    int32_t proposed = GetParam().proposed;
    EXPECT_EQ(GetParam().moved, SnapPropertyValue(&GetParam().property, &proposed));
    EXPECT_EQ(GetParam().result, proposed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Snap,
    ::testing::Values(
        SnapCase{"HalfStepRoundsUp", Range(0, 100, 4, 8), 10, true, 12},
        SnapCase{"BelowHalfRoundsDown", Range(0, 100, 4, 8), 9, true, 8},
        SnapCase{"EqualToValue", Range(0, 100, 4, 8), 8, false, 8},
        SnapCase{"AlreadyOnAStep", Range(0, 100, 4, 8), 12, false, 12},
        SnapCase{"OffsetMinimum", Range(-10, 10, 5, 0), -4, true, -5},
        SnapCase{"IntegerHalfRoundsUp", Range(-10, 10, 5, 0), -3, true, 0},
        SnapCase{"OffsetMinimumUp", Range(-10, 10, 5, 0), 3, true, 5},
        SnapCase{"StepOfOneNeverMoves", Range(0, 255, 1, 3), 7, false, 7},
        // The upper step would lie past the maximum: the lower one is taken.
        SnapCase{"NeverPastTheMaximum", Range(0, 255, 2, 0), 255, true, 254},
        SnapCase{"ValueOffTheGrid", Range(0, 100, 4, 9), 10, false, 10},
        SnapCase{"ValueOutOfRange", Range(0, 100, 4, 104), 10, false, 10},
        SnapCase{"ZeroStep", Range(0, 100, 0, 8), 10, false, 10},
        SnapCase{"NegativeStep", Range(0, 100, -4, 8), 10, false, 10},
        SnapCase{"WideRangeUp", Range(INT_MIN, INT_MAX, 1 << 30, INT_MIN), -(1 << 29) + 1, true, 0},
        SnapCase{"WideRangeDown", Range(INT_MIN, INT_MAX, 1 << 30, 0), (1 << 29) - 1, true, 0},
        SnapCase{"WideRangeNearTop", Range(INT_MIN, INT_MAX, 1 << 30, 0), INT_MAX, true, 1 << 30},
        SnapCase{"WideRangeOddStep", Range(INT_MIN, INT_MAX, INT_MAX, INT_MIN), INT_MAX - 5, true, INT_MAX - 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapRefuses, MissingRecordOrProposal) {
    CameraProperty property = Range(0, 100, 4, 8);
    int32_t proposed = 10;
    EXPECT_FALSE(SnapPropertyValue(nullptr, &proposed));
    EXPECT_EQ(10, proposed);
    EXPECT_FALSE(SnapPropertyValue(&property, nullptr));
}

struct PageCase {
    const char* name;
    CameraProperty property;
    int32_t page;
};

class PageStep : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageStep, IsATenthOfTheRangeInWholeSteps) {
    EXPECT_EQ(GetParam().page, PropertyPageStep(&GetParam().property));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageStep,
    ::testing::Values(PageCase{"Byte", Range(0, 255, 1, 0), 26}, PageCase{"Ten", Range(0, 10, 1, 0), 1},
                      PageCase{"AtLeastOneStep", Range(0, 4, 2, 0), 2},
                      PageCase{"WholeSteps", Range(0, 200, 5, 0), 20},
                      PageCase{"NegativeRange", Range(-100, 100, 1, 0), 20},
                      PageCase{"ZeroStep", Range(0, 255, 0, 0), 0},
                      PageCase{"NegativeStep", Range(0, 255, -1, 0), 0},
                      PageCase{"WidestRange", Range(INT_MIN, INT_MAX, 1, 0), 429496730},
                      PageCase{"WidestRangeWideStep", Range(INT_MIN, INT_MAX, 1 << 30, 0), 1 << 30},
                      PageCase{"WidestRangeWidestStep", Range(INT_MIN, INT_MAX, INT_MAX, 0), INT_MAX}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageStepRefuses, MissingRecord) { EXPECT_EQ(0, PropertyPageStep(nullptr)); }

}  // namespace
