#pragma once

#include "Camera.h"
#include "FrameBuffer.h"

// The mesh's axes as the camera sees them, drawn over the picture in its bottom left corner:
// x red, y green, z blue, each with its letter; the nearer axes over the farther.
void drawAxisCross(FrameBuffer& buffer, const Camera& camera);

namespace AxisCrossColours {
constexpr std::uint32_t x = 0xFF4040, y = 0x40E040, z = 0x5090FF;
}
