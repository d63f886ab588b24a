// ConsoleLayout: the standalone console below its title bar: the tab strip
// over the template's placeholder, the info panel between the strip and the
// footer, the footer's controls along the bottom edge, and the smallest
// height the window may be sized to. Of the display resolutions only 120
// pixels per inch changes it.
//
// Nothing here reports failure: a part that cannot be made is left out, and
// the parts below it are placed as if it were there with no height.
#pragma once

#include "console/PanelHost.h"
#include "dialogs/TabStripDialog.h"
#include "framework/Window.h"
#include "launch/LaunchContext.h"

namespace ostrivan {

class ConsoleLayout {
public:
    // window is the console, made later; panels holds its info panel.
    ConsoleLayout(const Window& window, PanelHost& panels) : window_(window), panels_(panels) {}
    ConsoleLayout(const ConsoleLayout&) = delete;
    ConsoleLayout& operator=(const ConsoleLayout&) = delete;

    // The display's resolution as the layout knows it: 96, 120, else 100.
    static int DisplayResolution();

    // Makes the tab strip and shows it over the placeholder, which it hides.
    void CreateTabStrip(int resolution);
    // Makes the info panel under the tab strip, takes the smallest height
    // from its content and shows it.
    void CreateInfoPanel(int resolution, LaunchContext* context);
    // The options button takes its size from the layout, not the template.
    void SizeOptionsButton();
    // The footer's controls keep their distance from the window's bottom edge.
    void PlaceFooterControls();

    // WM_SIZING: the proposed screen rectangle is never lower than the smallest height.
    void KeepMinHeight(RECT* r) const {
        if (r && r->bottom - r->top + 1 <= minHeight_) r->bottom = r->top + minHeight_;
    }
    // WM_SIZE: the panel fills the window between the strip and the footer.
    void OnSize(UINT type, SIZE size);
    // Makes the window as high as the smallest height plus the view panel;
    // returns that height.
    int FitToPanel();
    // The panel lays itself out anew (after the window was dragged).
    void RelayOutPanel();

    int panelTopForTesting() const { return panelTop_; }
    int minHeightForTesting() const { return minHeight_; }

private:
    const Window& window_;
    PanelHost& panels_;
    TabStripDialog tabStrip_;
    int panelTop_ = 0;
    int minHeight_ = 0;
};

}  // namespace ostrivan
