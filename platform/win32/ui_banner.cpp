// The banner picture, drawn at load time into a 32-bpp bitmap: a horizontal gradient,
// the title in white on the left and a small glyph emblem on the right. Sizes follow the
// bitmap's height, margins the DPI.
#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

unsigned char Blend(unsigned char from, unsigned char to, int x, int width) {
    int span = width > 1 ? width - 1 : 1;
    return static_cast<unsigned char>(from + (to - from) * x / span);
}

HFONT BannerFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, nullptr);
}

void DrawEmblem(HDC dc, const BannerSpec& banner, int width, int height, int dpi) {
    auto scaled = [dpi](int value) { return platform::ScaleToDpi(value, dpi); };
    int side = height - scaled(24);
    int right = width - scaled(20);
    RECT box = {right - side, (height - side) / 2, right, (height + side) / 2};
    HBRUSH fill = CreateSolidBrush(RGB(banner.from.r, banner.from.g, banner.from.b));
    HPEN edge = CreatePen(PS_SOLID, scaled(2), RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, edge);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, scaled(10), scaled(10));
    HFONT glyphFont = BannerFont(side * 2 / 3);
    HGDIOBJ oldFont = SelectObject(dc, glyphFont);
    DrawTextW(dc, L"\x5B57", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(glyphFont);
    DeleteObject(edge);
    DeleteObject(fill);
}

}  // namespace

HBITMAP DrawBanner(const BannerSpec& banner, int width, int height, int dpi) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    // The alpha byte stays 0 everywhere: the picture has no alpha channel and is drawn
    // opaque.
    auto* pixels = static_cast<DWORD*>(bits);
    for (int x = 0; x < width; ++x) {
        DWORD colour = (DWORD{Blend(banner.from.r, banner.to.r, x, width)} << 16) |
                       (DWORD{Blend(banner.from.g, banner.to.g, x, width)} << 8) |
                       DWORD{Blend(banner.from.b, banner.to.b, x, width)};
        for (int y = 0; y < height; ++y) pixels[y * width + x] = colour;
    }

    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HFONT titleFont = BannerFont(height * 2 / 5);
    HGDIOBJ oldFont = SelectObject(dc, titleFont);
    std::wstring title = Widen(banner.title != nullptr ? banner.title : "");
    RECT titleArea = {platform::ScaleToDpi(20, dpi), 0, width * 2 / 3, height};
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &titleArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(titleFont);
    DrawEmblem(dc, banner, width, height, dpi);
    GdiFlush();
    // GDI text leaves its pixels' alpha at 0 too, but clear it anyway for the drawn parts.
    for (int i = 0; i < width * height; ++i) pixels[i] &= 0x00FFFFFF;
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace ui::win32
