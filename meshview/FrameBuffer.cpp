#include "FrameBuffer.h"

#include <algorithm>

void FrameBuffer::resize(int width, int height, std::uint32_t* externalPixels) {
    bufferWidth = std::max(width, 0);
    bufferHeight = std::max(height, 0);
    const auto count = static_cast<std::size_t>(bufferWidth) * static_cast<std::size_t>(bufferHeight);
    if (externalPixels) {
        ownPixels.clear();
        ownPixels.shrink_to_fit();
        pixelData = externalPixels;
    } else {
        ownPixels.assign(count, 0);
        pixelData = ownPixels.data();
    }
    depth.assign(count, 0);
    group.assign(count, -1);
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
