// The approved pictures in docs/, and what the screen shows against them.
// GDI+ reads and writes them: every Windows and Wine has it, so the
// comparison needs nothing installed and runs where the screen is.
#pragma once

#include <windows.h>
// Before GDI+.
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "program.h"

namespace e2e {

// The approved pictures are Wine's rendering (its fonts and its controls'
// drawing): on Windows the tests that compare with them are skipped.
inline bool OnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

inline std::unique_ptr<Gdiplus::Bitmap> CaptureScreen(POINT corner, SIZE size) {
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, size.cx, size.cy, screen, corner.x, corner.y, SRCCOPY);
    SelectObject(copy, previous);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    // GDI+ copies the pixels.
    auto shot = std::make_unique<Gdiplus::Bitmap>(bitmap, nullptr);
    DeleteObject(bitmap);
    return shot;
}

// The points of the shot whose colour differs from the picture's.
inline std::vector<POINT> Differences(Gdiplus::Bitmap& shot, Gdiplus::Bitmap& picture,
                                      const std::vector<RECT>& masked) {
    std::vector<POINT> unlike;
    for (POINT point{0, 0}; point.y < int(shot.GetHeight()); ++point.y) {
        for (point.x = 0; point.x < int(shot.GetWidth()); ++point.x) {
            Gdiplus::Color seen;
            Gdiplus::Color approved;
            shot.GetPixel(point.x, point.y, &seen);
            picture.GetPixel(point.x, point.y, &approved);
            const bool isMasked = std::any_of(masked.begin(), masked.end(),
                                              [&](const RECT& mask) { return PtInRect(&mask, point); });
            if (seen.GetValue() != approved.GetValue() && !isMasked) unlike.push_back(point);
        }
    }
    return unlike;
}

// The screen from `corner` against the approved picture docs/<name>.png, but
// for what moves (the clock line's glyphs), `masked` in the picture. What the
// screen showed is saved as pictures/<name>.png in the tests' folder; if it
// differs, the same with the differing pixels in red as
// pictures/<name>.difference.png.
inline void ExpectApproved(const std::wstring& name, POINT corner, const std::vector<RECT>& masked = {}) {
    // GDI+'s PNG encoder.
    static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring path = TARVOLIN_APPROVED_PICTURES + name + L".png";
    Gdiplus::Bitmap picture(path.c_str());
    ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok) << "no approved picture " << path;
    const SIZE size{LONG(picture.GetWidth()), LONG(picture.GetHeight())};
    std::unique_ptr<Gdiplus::Bitmap> shot;
    std::vector<POINT> unlike;
    // A window may still be painting what it has just become.
    WaitFor(
        [&] {
            shot = CaptureScreen(corner, size);
            unlike = Differences(*shot, picture, masked);
            return unlike.empty();
        },
        5s);
    const std::wstring seen = L"pictures\\" + name;
    const std::wstring difference = seen + L".difference.png";
    CreateDirectoryW(L"pictures", nullptr);
    shot->Save((seen + L".png").c_str(), &kPngEncoder, nullptr);
    DeleteFileW(difference.c_str());
    if (unlike.empty()) return;
    for (POINT point : unlike) shot->SetPixel(point.x, point.y, Gdiplus::Color::Red);
    shot->Save(difference.c_str(), &kPngEncoder, nullptr);
    ADD_FAILURE() << unlike.size() << " pixels unlike " << path << ", in red in " << difference;
}

}  // namespace e2e
