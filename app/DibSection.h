#pragma once

#include <windows.h>

#include <cstdint>

// A 32-bit top-down bitmap whose pixels the program writes directly (0xRRGGBB each, rows
// from the top), selected into a memory device context for copying onto a window.
class DibSection {
public:
    DibSection() = default;
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    // A new bitmap of the size; false (and no pixels) when the system has no room for it.
    bool resize(int width, int height);
    std::uint32_t* pixels() const { return bits; }
    // Copies the whole bitmap to the device context with its top left corner at x, y.
    void copyTo(HDC target, int x, int y) const;

private:
    void release();

    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;
};
