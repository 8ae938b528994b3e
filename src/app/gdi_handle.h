// Owners for the fonts and icons the program makes: each deletes its object
// when it goes.
#pragma once

#include <memory>
#include <type_traits>

#include "app/win32.h"

namespace tarvolin {

struct GdiObjectDeleter {
    void operator()(void* object) const {
        if (object) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};

template <class Handle>
using GdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using FontHandle = GdiHandle<HFONT>;

struct IconDeleter {
    void operator()(HICON icon) const {
        if (icon) DestroyIcon(icon);
    }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace tarvolin
