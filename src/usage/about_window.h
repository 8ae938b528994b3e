// About: the usage window, with the usage text, title, version and the
// system-information button. At most one exists at a time.
#pragma once

#include "app/base_window.h"

namespace tarvolin {

// Shows the one usage window, creating and loading it first when it is not
// open, and brings it to the front. Not modal, no owner.
void ShowAboutWindow();

class AboutWindow final : public BaseWindow {
public:
    AboutWindow();

    bool IsOpen() const { return window_ != nullptr; }
    bool Create();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    POINT OpeningCorner(const RECT& outer, int dpi) const override;
    LabelColours LabelColoursOf(HWND label) const override;
    void OnLoaded() override;

    void OnCommand(int id);
    void OnPaint();
    LRESULT DefaultButtonId() const;

    void StartSysInfo();
};

}  // namespace tarvolin
