// How a camera panel's slider shows a property record and takes the user's
// moves into it.
//
//   ShowPropertyOnSlider   range, line and page size and position from a record
//   TakeSliderPosition     a scroll notification: snap while dragging, take the value
#pragma once

#include "camera/CameraChannel.h"
#include "framework/TipSlider.h"

#include <cstdint>

namespace ostrivan {

// Range minimum to maximum (redrawn), line size = step, page size =
// PropertyPageStep, position = value (redrawn). A slider the user is dragging
// keeps its position: the refresh's value is older than the drag.
void ShowPropertyOnSlider(TipSlider& slider, const CameraProperty& record);

// After a scroll notification from the slider: on thumb-track the position
// is snapped to the record's step (and the thumb moved there); then the
// record's value is the slider's position.
void TakeSliderPosition(TipSlider& slider, UINT scrollCode, CameraProperty* record);

}  // namespace ostrivan
