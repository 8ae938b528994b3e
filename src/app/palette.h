// The colours the two windows paint with: their design look, or, in a
// contrast theme, the theme's own colours. Colours are 0x00BBGGRR.
#pragma once

namespace tarvolin {

// The system colours a contrast theme is read from.
struct SystemColours {
    unsigned face;       // button face: dialogs and labels
    unsigned faceText;   // text on the button face
    unsigned shadow;     // 3-D shadow
    unsigned highlight;  // 3-D highlight
};

struct Palette {
    unsigned back;             // the calculator's background and its clock line's
    unsigned labelBack;        // behind every other label
    unsigned labelText;        // the calculator's labels and clock line
    unsigned usageText;        // the usage window's labels
    unsigned separatorShadow;  // the usage window's etched line: upper band
    unsigned separatorLight;   // and lower band
};

// How much brighter the lighter colour is than the darker, from 1 to 21, as
// the accessibility guidelines measure contrast.
double ContrastRatio(unsigned a, unsigned b);

// A contrast theme is on when the system says so, or when black text on the
// button face would be hard to read (below 4.5:1), as in every dark theme.
bool IsContrastTheme(bool highContrastFlag, unsigned face);

Palette ChoosePalette(bool highContrastFlag, const SystemColours& system);

}  // namespace tarvolin
