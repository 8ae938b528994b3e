// Texts cross from the core (UTF-8) to the window system (UTF-16) here.
#pragma once

#include <string>
#include <string_view>

#include "app/win32.h"

namespace tarvolin {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

std::wstring WindowTextOf(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view utf8);

}  // namespace tarvolin
