#include "dialogs/PropertySlider.h"

namespace ostrivan {

void ShowPropertyOnSlider(TipSlider& slider, const CameraProperty& record) {
    if (!slider.hwnd()) return;
    // Only what changed is set, so that a refresh every 1.5 s neither
    // flickers nor costs drawing when the camera holds still.
    if (slider.GetRangeMin() != record.minimum || slider.GetRangeMax() != record.maximum) {
        slider.SetRange(record.minimum, record.maximum, true);
    }
    slider.SetLineSize(record.step);
    slider.SetPageSize(PropertyPageStep(&record));
    if (!slider.IsBeingDragged() && slider.GetPos() != record.value) slider.SetPos(record.value, true);
}

void TakeSliderPosition(TipSlider& slider, UINT scrollCode, CameraProperty* record) {
    if (!slider.hwnd() || !record) return;
    // The position comes from the slider itself: the notification's 16 bits
    // cannot carry negative or large values.
    int32_t position = slider.GetPos();
    if (scrollCode == TB_THUMBTRACK && SnapPropertyValue(record, &position)) slider.SetPos(position, true);
    record->value = slider.GetPos();
}

}  // namespace ostrivan
