#pragma once

#include <cstdint>

#include "FrameBuffer.h"

// One corner of a triangle on the screen.
struct RasterVertex {
    float x, y;   // pixels from the top left corner, y down
    float depth;  // the near depth over the distance along the line of sight: 1 at the near plane
    float shade;  // index into the shade table, 0 to 255
};

struct RasterStyle {
    const std::uint32_t* shades;  // 256 colours, from the least to the most light
    std::int32_t group;
    // Bit i set: the edge from corner i to corner (i + 1) % 3 is drawn as a wire line.
    unsigned wireEdges = 0;
};

// Fills the pixels whose centres lie inside the triangle (either winding) wherever it is
// nearer than what is drawn there: the colour of the shade at the pixel, its depth and group.
// A pixel centre on an edge shared by two triangles goes to exactly one of them. Depth and
// shade vary linearly over the screen (the reciprocal distance is linear there). The
// arithmetic per row and pixel is integer: emulated processors do it much faster.
void fillTriangle(FrameBuffer& buffer, const RasterVertex (&corners)[3], const RasterStyle& style);
