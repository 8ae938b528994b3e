#include "app/layout_window.h"

#include <algorithm>

#include "app/picture_control.h"
#include "app/system_palette.h"
#include "app/text.h"

namespace tarvolin {
namespace {

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(ControlKind kind) {
    switch (kind) {
        // A label lies below the controls made before it and is clipped by
        // them: Label4's foot, over the top edges of Text1 to Text3, leaves
        // those edges showing whatever order they are painted in.
        case ControlKind::Label:
            return {L"STATIC", WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::PaddedLabel:
            return {L"STATIC", WS_CLIPSIBLINGS | SS_OWNERDRAW, 0};
        case ControlKind::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        // Captions wrap inside the button when they are wider than it.
        case ControlKind::Button:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
        case ControlKind::DefaultButton:
            return {L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON | BS_MULTILINE, 0};
        case ControlKind::Picture:
            return {kPictureClassName, WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

PixelRect ControlRect(const ControlEntry& entry, int dpi) {
    PixelRect r = ToPixels(entry.rect, dpi);
    // The picture box takes the size of its picture.
    if (entry.kind == ControlKind::Picture) r.width = r.height = PictureSide(dpi);
    return r;
}

void PlaceControl(HWND control, const ControlEntry& entry, int dpi, const LayoutFonts& fonts) {
    const PixelRect r = ControlRect(entry, dpi);
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(entry.fontCentipoints)), TRUE);
}

}  // namespace

void LayoutFonts::Build(const WindowLayout& layout, int dpi) {
    fonts_.clear();
    dpi_ = dpi;
    const std::wstring face = Widen(kControlFontFace);
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const int size = layout.controls[i].fontCentipoints;
        if (For(size)) continue;
        LOGFONTW font{};
        font.lfHeight = -FontPixelHeight(size, dpi);
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = GB2312_CHARSET;
        font.lfQuality = DEFAULT_QUALITY;
        face.copy(font.lfFaceName, LF_FACESIZE - 1);
        fonts_.emplace_back(size, FontHandle(CreateFontIndirectW(&font)));
    }
}

HFONT LayoutFonts::For(int centipoints) const {
    for (const auto& [size, font] : fonts_)
        if (size == centipoints) return font.get();
    return nullptr;
}

RECT LayoutClientRect(const WindowLayout& layout, int dpi) {
    return {0, 0, TwipsToPixels(layout.clientWidthTwips, dpi), TwipsToPixels(layout.clientHeightTwips, dpi)};
}

void CreateLayoutControls(HWND parent, const WindowLayout& layout, int dpi, const LayoutFonts& fonts,
                          PrepareControl prepare) {
    std::vector<const ControlEntry*> inTabOrder;
    for (std::size_t i = 0; i < layout.controlCount; ++i) inTabOrder.push_back(&layout.controls[i]);
    std::stable_sort(inTabOrder.begin(), inTabOrder.end(),
                     [](const ControlEntry* a, const ControlEntry* b) { return a->tabIndex < b->tabIndex; });

    for (const ControlEntry* entry : inTabOrder) {
        const ControlClass cls = ClassFor(entry->kind);
        const PixelRect r = ControlRect(*entry, dpi);
        HWND control = CreateWindowExW(cls.exStyle, cls.className, Widen(entry->text).c_str(),
                                       WS_CHILD | WS_VISIBLE | cls.style, r.left, r.top, r.width, r.height,
                                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry->id)),
                                       GetModuleHandleW(nullptr), nullptr);
        if (!control) continue;
        if (entry->kind == ControlKind::TextBox) {
            // 0 lifts the edit control's default limit: the box holds any text.
            SendMessageW(control, EM_SETLIMITTEXT, static_cast<WPARAM>(entry->maxLength), 0);
        }
        if (prepare) prepare(control, *entry);
        // Nothing to redraw yet: the window has not shown.
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(entry->fontCentipoints)), FALSE);
    }
}

void ApplyLayout(HWND parent, const WindowLayout& layout, int dpi, const LayoutFonts& fonts) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        if (HWND control = GetDlgItem(parent, entry.id)) PlaceControl(control, entry, dpi, fonts);
    }
}

void DrawPaddedLabel(const DRAWITEMSTRUCT& item, const LabelColours& colours) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, SolidDcBrush(dc, colours.back));
    const HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetTextColor(dc, colours.text);
    SetBkMode(dc, TRANSPARENT);

    const std::wstring text = WindowTextOf(item.hwndItem);
    constexpr UINT kFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
    const std::size_t run = text.find(L"  ");
    const std::size_t body = run == std::wstring::npos ? run : text.find_first_not_of(L' ', run);
    if (body != std::wstring::npos) {
        // The heading alone on the first line, the body from the second on.
        DrawTextW(dc, text.c_str(), static_cast<int>(run), &r, kFlags);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        r.top += metrics.tmHeight;
        DrawTextW(dc, text.c_str() + body, -1, &r, kFlags);
    } else {
        DrawTextW(dc, text.c_str(), -1, &r, kFlags);
    }
    SelectObject(dc, previousFont);
}

void ApplyDpiChange(HWND window, const WindowLayout& layout, int dpi, const RECT& suggested,
                    LayoutFonts& fonts) {
    // The controls let go of the old fonts before those are deleted.
    LayoutFonts fresh;
    fresh.Build(layout, dpi);
    ApplyLayout(window, layout, dpi, fresh);
    fonts = std::move(fresh);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace tarvolin
