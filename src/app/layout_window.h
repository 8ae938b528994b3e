// Builds a window's controls from its layout table at the window's DPI, and
// lays them out again when the DPI changes.
#pragma once

#include <utility>
#include <vector>

#include "app/gdi_handle.h"
#include "app/layout.h"
#include "app/win32.h"

namespace tarvolin {

// The fonts one window's layout names, made at the DPI Windows last gave the
// window: at creation and with each WM_DPICHANGED. The window lays out and
// paints at that DPI and never asks the system again, which without
// GetDpiForWindow (Windows 8.1, 10 before 1607) answers the start-up DPI.
class LayoutFonts {
public:
    void Build(const WindowLayout& layout, int dpi);
    HFONT For(int centipoints) const;
    int Dpi() const { return dpi_; }

private:
    std::vector<std::pair<int, FontHandle>> fonts_;
    int dpi_ = 0;
};

// The client rectangle of the layout at `dpi`, from (0, 0).
RECT LayoutClientRect(const WindowLayout& layout, int dpi);

// Creates the controls as children of `parent`, in focus order, so that Tab
// walks them as their tab indices say: each in its place and with its font at
// once, before the window first shows. `prepare`, if given, sees each one.
using PrepareControl = void (*)(HWND control, const ControlEntry& entry);
void CreateLayoutControls(HWND parent, const WindowLayout& layout, int dpi, const LayoutFonts& fonts,
                          PrepareControl prepare = nullptr);

// Moves, sizes and refonts existing controls for `dpi`.
void ApplyLayout(HWND parent, const WindowLayout& layout, int dpi, const LayoutFonts& fonts);

// The colours of a label's text and of the background behind it.
struct LabelColours {
    COLORREF text;
    COLORREF back;
};

// Draws a padded label: the run of blanks after its heading is there to push
// the body onto the next line, and there the body starts, whatever the width
// of a blank in the font the system substitutes and whatever its own line
// breaking makes of a long run of blanks before Chinese text.
void DrawPaddedLabel(const DRAWITEMSTRUCT& item, const LabelColours& colours);

// Follows a move to a screen of another DPI: new fonts, controls laid out
// again, and the window in the rectangle the system suggests.
void ApplyDpiChange(HWND window, const WindowLayout& layout, int dpi, const RECT& suggested,
                    LayoutFonts& fonts);

}  // namespace tarvolin
