#include "parental/BuiltInTexts.h"

#include "ResourceIds.h"

namespace ostrivan {

namespace {

struct BuiltInText {
    UINT id;
    const char* text;
};

constexpr BuiltInText kBuiltInTexts[] = {
    {IDS_LOCK_WRITE_FAILED, "The camera did not accept the change, so nothing was changed."},
    {IDS_LOCK_LEFT_ON, "The camera did not accept the password and could not be unlocked again, "
                       "so the camera is now locked. Connect the camera and press OK to finish setting the password."},
};

}  // namespace

const char* BuiltInParentalText(UINT id) {
    for (const BuiltInText& entry : kBuiltInTexts) {
        if (entry.id == id) return entry.text;
    }
    return nullptr;
}

}  // namespace ostrivan
