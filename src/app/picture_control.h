// The picture box of the usage window: the program's 32 x 32 picture (scaled
// with the DPI), which takes the focus in its turn like the buttons.
#pragma once

#include "app/win32.h"

namespace tarvolin {

inline constexpr const wchar_t* kPictureClassName = L"TarvolinPicture";

// Registers the picture class once per process.
void RegisterPictureControl();

// The picture's side in pixels at `dpi`: 32 at 96 DPI.
int PictureSide(int dpi);

}  // namespace tarvolin
