// The property table of a camera panel: which camera properties it adjusts
// and which of its controls show them, as data, so that one loop reads,
// writes, shows or disables every row.
//
//   ListOf                        a fixed array of a panel's definition, by start and length
//   PropertyRow                   one property and its controls
//   ReadCameraRows / WriteCameraRows   the records' exchange with the camera
//
// The exchange touches no window: it needs only the device name, the rows
// and the records, so that it can run on any thread.
//
// Error rule: ReadCameraRows reports whether the camera could be opened;
// single rows that fail leave their records invalid (read) or not applied
// (write). Nothing throws.
#pragma once

#include "camera/CameraChannel.h"

#include <cstddef>

namespace ostrivan {

// The most rows a panel's table has.
constexpr size_t kMaxPropertyRows = 4;

template <typename T>
struct ListOf {
    const T* items = nullptr;
    size_t count = 0;

    constexpr ListOf() = default;
    constexpr ListOf(const T* start, size_t length) : items(start), count(length) {}
    template <size_t N>
    constexpr ListOf(const T (&array)[N]) : items(array), count(N) {}
    const T* begin() const { return items; }
    const T* end() const { return items + count; }
};

// Whether a row's slider takes input while the camera sets the property
// itself; a disabled slider still follows the camera's choice.
enum class SliderUse { Always, WhileManual };

struct PropertyRow {
    static constexpr size_t kMaxGroup = 4;
    using Exchange = bool (*)(CameraChannel* channel, CameraProperty* record);

    const GUID* set;          // IID_IAMCameraControl or IID_IAMVideoProcAmp
    long id;                  // a property of that interface
    int group[kMaxGroup];     // controls enabled with a valid record, in order; 0 ends
    int slider = 0;           // the slider that shows and sets the value; 0 for none
    SliderUse sliderUse = SliderUse::Always;
    // Own ways to the camera for a property not every camera publishes;
    // null: the published property of set and id.
    Exchange read = nullptr;
    Exchange write = nullptr;
};

// Opens the camera and reads each row's record in order.
[[nodiscard]] bool ReadCameraRows(const char* deviceName, ListOf<PropertyRow> rows, CameraProperty* records);
// Writes the valid records, in order. A write that would change nothing
// (the end of a slider move) does not go looking for the camera.
void WriteCameraRows(const char* deviceName, ListOf<PropertyRow> rows, CameraProperty* records);

}  // namespace ostrivan
