#include "calculator/digit_key_subclass.h"

#include <commctrl.h>  // after the window headers the subclass header pulls in

#include "calculator/digit_key_filter.h"

namespace tarvolin {
namespace {

constexpr UINT_PTR kDigitFilterId = 1;

LRESULT CALLBACK DigitKeyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        // Only typed characters are filtered: keys without a character (arrows,
        // Delete, Home, End) and the context menu's paste work as usual.
        case WM_CHAR:
        case WM_IME_CHAR:
            if (DigitKeyFilter(static_cast<unsigned>(wParam)) == 0) return 0;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, DigitKeyProc, kDigitFilterId);
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void InstallDigitKeyFilter(HWND edit) { SetWindowSubclass(edit, DigitKeyProc, kDigitFilterId, 0); }

}  // namespace tarvolin
