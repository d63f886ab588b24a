// Messages and fixed numbers shared by the info panel window and its
// sections. 1093 and 1193 are in ResourceIds.h with the other message numbers.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ostrivan {

// "WM_INFOPANELWND_CALLBACK": a user toggled a section. wParam says how
// (kSectionExpanded or kSectionCollapsed), lParam is the section's control id.
// Registered once per module load.
UINT InfoPanelCallbackMessage();
constexpr WPARAM kSectionExpanded = 1;
constexpr WPARAM kSectionCollapsed = 2;

// Section flag: the section cannot be collapsed by its own title, and
// expanding it collapses every other section.
constexpr uint32_t kSectionAccordion = 2;

}  // namespace ostrivan
