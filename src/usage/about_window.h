// About: the usage window, with the usage text, title, version and the
// system-information button. At most one exists at a time.
#pragma once

#include "app/base_window.h"
#include "app/layout_window.h"
#include "app/system_palette.h"

namespace tarvolin {

// Shows the one usage window, creating and loading it first when it is not
// open, and brings it to the front. Not modal, no owner.
void ShowAboutWindow();

class AboutWindow : public BaseWindow<AboutWindow> {
public:
    bool IsOpen() const { return window_ != nullptr; }
    bool Create();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnCreate();
    void OnCommand(int id);
    void OnPaint();
    LRESULT OnCtlColorStatic(HDC dc);
    LRESULT DefaultButtonId() const;

    void StartSysInfo();

    LayoutFonts fonts_;
    WindowPalette palette_;
};

}  // namespace tarvolin
