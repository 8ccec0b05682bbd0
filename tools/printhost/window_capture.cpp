// Saving a window's image as a BMP file: a screen copy through a memory bitmap.
#include "tools/printhost/window_capture.h"

#include <vector>

namespace printhost {
namespace {

struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
};
struct MemoryDC {
    HDC dc;
    explicit MemoryDC(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDC() { DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap;
    ~Bitmap() { DeleteObject(bitmap); }
};
struct File {
    HANDLE handle;
    ~File() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

bool WriteAll(HANDLE file, const void* data, DWORD bytes) {
    DWORD written = 0;
    return WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

}  // namespace

bool SaveWindowImage(HWND window, const wchar_t* path) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    ScreenDC screen;
    MemoryDC memory(screen.dc);
    Bitmap image{CreateCompatibleBitmap(screen.dc, width, height)};
    if (screen.dc == nullptr || memory.dc == nullptr || image.bitmap == nullptr) return false;
    HGDIOBJ previous = SelectObject(memory.dc, image.bitmap);
    const BOOL copied =
        BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    // Without a window manager (Xvfb) nobody draws the frame's caption on the screen, so
    // the image gets the window's own caption drawn over that strip.
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    RECT caption{0, 0, width, clientOrigin.y - rect.top};
    if (caption.bottom > 0) DrawCaption(window, memory.dc, &caption, DC_ACTIVE | DC_TEXT | DC_ICON);
    SelectObject(memory.dc, previous);
    if (!copied) return false;

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(static_cast<size_t>(rowBytes) * height);
    if (GetDIBits(memory.dc, image.bitmap, 0, height, pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
        return false;
    }

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof info;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    File file{CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) return false;
    return WriteAll(file.handle, &fileHeader, sizeof fileHeader) &&
           WriteAll(file.handle, &info, sizeof info) &&
           WriteAll(file.handle, pixels.data(), static_cast<DWORD>(pixels.size()));
}

}  // namespace printhost
