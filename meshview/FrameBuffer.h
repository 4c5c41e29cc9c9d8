#pragma once

#include <cstdint>
#include <vector>

// A picture being drawn: 32-bit pixels (0xRRGGBB), rows from the top, and per pixel the depth
// of what is drawn there (larger is nearer, 0 is nothing) and the group it belongs to (-1 for
// none). The pixels may live in memory owned by someone else (a bitmap of the window system).
class FrameBuffer {
public:
    // Sizes the buffer; with external pixels (width * height of them) draws into those. Takes
    // effect whole or not at all: when memory runs out it throws std::bad_alloc and the
    // buffer is as it was.
    void resize(int width, int height, std::uint32_t* externalPixels = nullptr);
    void clear(std::uint32_t colour);

    int width() const { return bufferWidth; }
    int height() const { return bufferHeight; }
    std::uint32_t* pixels() { return pixelData; }
    const std::uint32_t* pixels() const { return pixelData; }
    std::int32_t* depths() { return depth.data(); }
    std::int32_t* groups() { return group.data(); }
    std::uint32_t pixel(int x, int y) const { return pixelData[y * bufferWidth + x]; }
    // The group drawn at the pixel, -1 for none or outside the buffer.
    int groupAt(int x, int y) const;

private:
    int bufferWidth = 0, bufferHeight = 0;
    std::uint32_t* pixelData = nullptr;
    std::vector<std::uint32_t> ownPixels;
    std::vector<std::int32_t> depth;
    std::vector<std::int32_t> group;
};
