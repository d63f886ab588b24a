// What the camera panels (the view panel and the advanced settings dialog)
// do alike with their sliders, records and controls.
//
//   ShowPropertyOnSlider   range, line and page size and position from a record
//   TakeSliderPosition     a scroll notification: snap while dragging, take the value
//   EnableControl          a template control by id
//   ListenerModeOf         standalone or integrated listener for an owner
#pragma once

#include "camera/CameraChannel.h"
#include "framework/TipSlider.h"
#include "launch/LaunchContext.h"

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

void EnableControl(HWND dialog, int id, bool enable);

// 1 (integrated) when the owner runs inside a host, else 0.
int32_t ListenerModeOf(const LaunchContext* owner);

}  // namespace ostrivan
