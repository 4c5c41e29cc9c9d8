#include "FrameBuffer.h"

#include <algorithm>
#include <new>

// Everything is allocated before anything changes.
void FrameBuffer::resize(int width, int height, std::uint32_t* externalPixels) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // A count that wraps around (a 32-bit process), or past any screen's (2^28 pixels, twelve
    // bytes each), is memory run out.
    constexpr std::size_t mostPixels = std::size_t{1} << 28;
    if ((width > 0 && count / static_cast<std::size_t>(width) != static_cast<std::size_t>(height)) || count > mostPixels)
        throw std::bad_alloc();
    std::vector<std::uint32_t> newPixels(externalPixels ? 0 : count, 0);
    std::vector<std::int32_t> newDepth(count, 0), newGroup(count, -1);
    ownPixels.swap(newPixels);
    depth.swap(newDepth);
    group.swap(newGroup);
    pixelData = externalPixels ? externalPixels : ownPixels.data();
    bufferWidth = width;
    bufferHeight = height;
}

void FrameBuffer::clear(std::uint32_t colour) {
    const std::size_t count = depth.size();
    std::fill(pixelData, pixelData + count, colour);
    std::fill(depth.begin(), depth.end(), 0);
    std::fill(group.begin(), group.end(), -1);
}

int FrameBuffer::groupAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= bufferWidth || y >= bufferHeight) return -1;
    return group[static_cast<std::size_t>(y) * bufferWidth + x];
}
