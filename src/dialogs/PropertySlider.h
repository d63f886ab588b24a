// What the camera panels (the view panel and the advanced settings dialog)
// do alike with their sliders, records and controls.
//
//   ShowPropertyOnSlider   range, line and page size and position from a record
//   TakeSliderPosition     a scroll notification: snap while dragging, take the value
//   AnyValidRecordChanged  whether a write of the records would reach the camera
//   ListenerModeOf         standalone or integrated listener for an owner
#pragma once

#include "camera/CameraChannel.h"
#include "framework/TipSlider.h"
#include "launch/LaunchContext.h"

#include <cstddef>
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

// True when a valid record's value or mode differs from what the camera was
// last given, so that writing the records needs the camera at all.
template <size_t N>
bool AnyValidRecordChanged(const CameraProperty (&records)[N]) {
    for (const CameraProperty& record : records) {
        if (record.valid && PropertyNeedsWrite(record)) return true;
    }
    return false;
}

// 1 (integrated) when the owner runs inside a host, else 0.
int32_t ListenerModeOf(const LaunchContext* owner);

}  // namespace ostrivan
