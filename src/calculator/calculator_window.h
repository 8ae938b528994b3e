// Form1: the calculator window.
#pragma once

#include <string>

#include "app/base_window.h"

namespace tarvolin {

class CalculatorWindow final : public BaseWindow {
public:
    // `showUsage` shows the usage window: Command2 calls it. The calculator
    // knows no other window; the program's start composes them.
    explicit CalculatorWindow(void (*showUsage)());

    // Creates the window, loads it and shows it centred on the screen.
    bool Create(int showCommand);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    POINT OpeningCorner(const RECT& outer, int dpi) const override;
    LabelColours LabelColoursOf(HWND label) const override;
    void OnLoaded() override;

    void OnCommand(int id, int notification);
    void OnTimer();
    void OnEraseBackground(HDC dc);
    void OnDestroy();

    void Compute();

    void (*showUsage_)();
    std::string clockLine_;
};

}  // namespace tarvolin
