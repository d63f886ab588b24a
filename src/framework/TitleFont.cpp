#include "framework/TitleFont.h"

namespace ostrivan {

namespace {
constexpr LONG kTitleFontHeight = -12;  // character height in pixels
}

UniqueGdi<HFONT> CreateTitleFont(HWND window) {
    LOGFONTA description{};
    if (HFONT own = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0)))
        ::GetObjectA(own, sizeof(description), &description);
    description.lfHeight = kTitleFontHeight;
    description.lfWeight = FW_BOLD;
    description.lfCharSet =
        PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_JAPANESE ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    return UniqueGdi<HFONT>(::CreateFontIndirectA(&description));
}

}  // namespace ostrivan
