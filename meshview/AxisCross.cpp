#include "AxisCross.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Letters of 5 by 5 pixels, one row a byte, the leftmost pixel in bit 4.
constexpr std::uint8_t letters[3][5] = {
    {0x11, 0x0A, 0x04, 0x0A, 0x11},  // x
    {0x11, 0x0A, 0x04, 0x04, 0x04},  // y
    {0x1F, 0x02, 0x04, 0x08, 0x1F},  // z
};

void plot(FrameBuffer& buffer, int x, int y, std::uint32_t colour) {
    if (x >= 0 && y >= 0 && x < buffer.width() && y < buffer.height()) buffer.pixels()[y * buffer.width() + x] = colour;
}

// A line two pixels thick.
void line(FrameBuffer& buffer, float x0, float y0, float x1, float y1, std::uint32_t colour) {
    const int steps = static_cast<int>(std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)))) + 1;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        const int x = static_cast<int>(std::floor(x0 + (x1 - x0) * t)), y = static_cast<int>(std::floor(y0 + (y1 - y0) * t));
        plot(buffer, x, y, colour);
        plot(buffer, x + 1, y, colour);
        plot(buffer, x, y + 1, colour);
        plot(buffer, x + 1, y + 1, colour);
    }
}

void letter(FrameBuffer& buffer, int axis, int left, int top, std::uint32_t colour) {
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
            if (letters[axis][row] & (0x10 >> column)) plot(buffer, left + column, top + row, colour);
}

}  // namespace

void drawAxisCross(FrameBuffer& buffer, const Camera& camera) {
    const float length = std::clamp(std::min(buffer.width(), buffer.height()) * 0.06f, 12.0f, 28.0f);
    const float originX = 12 + length, originY = buffer.height() - 12 - length;
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const std::uint32_t colours[3] = {AxisCrossColours::x, AxisCrossColours::y, AxisCrossColours::z};
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int a, int b) { return dot(axes[a], camera.forward()) > dot(axes[b], camera.forward()); });
    for (int axis : order) {
        const float dx = dot(axes[axis], camera.right()) * length, dy = -dot(axes[axis], camera.up()) * length;
        line(buffer, originX, originY, originX + dx, originY + dy, colours[axis]);
        // The letter just beyond the end of its axis.
        const float reach = std::hypot(dx, dy);
        const float away = reach > 0.5f ? (reach + 7) / reach : 0;
        letter(buffer, axis, static_cast<int>(originX + dx * away) - 2, static_cast<int>(originY + dy * away) - 2,
               colours[axis]);
    }
}
