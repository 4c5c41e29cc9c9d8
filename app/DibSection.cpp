#include "DibSection.h"

DibSection::~DibSection() { release(); }

bool DibSection::resize(int newWidth, int newHeight) {
    release();
    if (newWidth <= 0 || newHeight <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;  // negative: rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* data = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    memory = CreateCompatibleDC(nullptr);
    if (!bitmap || !memory || !data) {
        release();
        return false;
    }
    previous = SelectObject(memory, bitmap);
    bits = static_cast<std::uint32_t*>(data);
    width = newWidth;
    height = newHeight;
    return true;
}

void DibSection::copyTo(HDC target, int x, int y) const {
    if (bits) BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
}

void DibSection::release() {
    if (memory && previous) SelectObject(memory, previous);
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    memory = nullptr;
    bitmap = nullptr;
    previous = nullptr;
    bits = nullptr;
    width = height = 0;
}
