#include "infopanel/InfoPanelMessages.h"

namespace ostrivan {

UINT InfoPanelCallbackMessage() {
    static const UINT message = ::RegisterWindowMessageA("WM_INFOPANELWND_CALLBACK");
    return message;
}

}  // namespace ostrivan
