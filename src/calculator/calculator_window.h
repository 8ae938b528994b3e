// Form1: the calculator window.
#pragma once

#include <string>

#include "app/base_window.h"
#include "app/layout_window.h"
#include "app/system_palette.h"

namespace tarvolin {

class CalculatorWindow : public BaseWindow<CalculatorWindow> {
public:
    // Creates the window, loads it and shows it centred on the screen.
    bool Create(int showCommand);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnCreate();
    void OnCommand(int id, int notification);
    void OnTimer();
    void OnEraseBackground(HDC dc);
    LRESULT OnCtlColorStatic(HDC dc, HWND label);
    void OnDestroy();

    void Compute();
    void CentreOnScreen();

    LayoutFonts fonts_;
    WindowPalette palette_;
    std::string clockLine_;
};

}  // namespace tarvolin
