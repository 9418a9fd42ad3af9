// Screenshots: the window's area of the screen, captured with GDI into a 24-bpp .bmp in
// the folder named by FONTTASKS_SHOTS (the test script converts them).
#include <cstdio>
#include <cstdlib>

#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"

namespace e2e {

std::string ShotPath(const std::string& fileName) {
    std::string folder = Environment("FONTTASKS_SHOTS");
    if (folder.empty()) return {};
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder + fileName;
}

namespace {

// Lets the program finish painting before the screen is read.
void SettlePainting(HWND window, UINT redrawFlags) {
    RedrawWindow(window, nullptr, nullptr, redrawFlags);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    Sleep(150);
}

// One copy of a screen area in memory, as a device-independent bitmap.
class ScreenCopy {
  public:
    // bitCount 24 gives bottom-up rows, as .bmp files store them; 32 gives top-down pixels.
    ScreenCopy(POINT origin, int width, int height, WORD bitCount) {
        info_.bmiHeader.biSize = sizeof info_.bmiHeader;
        info_.bmiHeader.biWidth = width;
        info_.bmiHeader.biHeight = bitCount == 24 ? height : -height;
        info_.bmiHeader.biPlanes = 1;
        info_.bmiHeader.biBitCount = bitCount;
        info_.bmiHeader.biCompression = BI_RGB;
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateDIBSection(screen_, &info_, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(memory_, bitmap_);
        BitBlt(memory_, 0, 0, width, height, screen_, origin.x, origin.y, SRCCOPY | CAPTUREBLT);
        GdiFlush();
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;
    ~ScreenCopy() {
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    const void* Bits() const { return bits_; }
    BITMAPINFOHEADER& Header() { return info_.bmiHeader; }

  private:
    BITMAPINFO info_ = {};
    void* bits_ = nullptr;
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

std::string SaveScreenshot(HWND window, const std::string& fileName) {
    std::string path = ShotPath(fileName);
    if (path.empty() || !IsWindow(window)) return {};
    SettlePainting(window,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    RECT frame;
    GetWindowRect(window, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return {};
    ScreenCopy copy({frame.left, frame.top}, width, height, 24);

    DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    copy.Header().biSizeImage = imageSize;
    bool written = false;
    if (FILE* out = _wfopen(Wide(path).c_str(), L"wb")) {
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&copy.Header(), sizeof copy.Header(), 1, out) == 1 &&
                  std::fwrite(copy.Bits(), imageSize, 1, out) == 1;
        written = std::fclose(out) == 0 && written;
    }
    return written ? path : std::string();
}

int CountPixels(HWND control, const RECT& area, COLORREF colour, int tolerance) {
    SettlePainting(control, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    POINT origin = {area.left, area.top};
    ClientToScreen(control, &origin);
    ScreenCopy copy(origin, width, height, 32);
    int count = 0;
    const auto* pixels = static_cast<const DWORD*>(copy.Bits());
    for (int i = 0; i < width * height; ++i) {
        int r = (pixels[i] >> 16) & 0xFF, g = (pixels[i] >> 8) & 0xFF, b = pixels[i] & 0xFF;
        if (std::abs(r - GetRValue(colour)) <= tolerance &&
            std::abs(g - GetGValue(colour)) <= tolerance &&
            std::abs(b - GetBValue(colour)) <= tolerance)
            ++count;
    }
    return count;
}

}  // namespace e2e
