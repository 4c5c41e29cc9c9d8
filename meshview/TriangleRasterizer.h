#pragma once

#include <cstdint>

#include "FrameBuffer.h"

// One corner of a triangle on the screen, in integers.
struct RasterVertex {
    static constexpr std::int32_t subpixels = 16;  // coordinate units per pixel
    static constexpr std::int32_t nearDepth = 1 << 30;

    std::int32_t x, y;   // 1/16 pixels from the top left corner, y down
    std::int32_t depth;  // nearDepth times the near plane's distance over the corner's: larger is nearer
    std::int32_t shade;  // index into the shade table, 0 to 255
};

struct RasterStyle {
    const std::uint32_t* shades;  // 256 colours, from the least to the most light
    std::int32_t group;
    // Bit i set: the edge from corner i to corner (i + 1) % 3 is drawn as a wire line.
    unsigned wireEdges = 0;
    // Drawn a little farther than it is (a 4096th of the distance): where it meets a face
    // at the same depth, as a face turned away meets a near one along a mesh's outline, the
    // other face wins.
    bool yields = false;
};

// Fills the pixels whose centres lie inside the triangle (either winding) wherever it is
// nearer than what is drawn there: the colour of the shade at the pixel, its depth and group.
// A pixel centre on an edge shared by two triangles goes to exactly one of them. Depth and
// shade vary linearly over the screen (the reciprocal distance is linear there). All of it is
// integer arithmetic: a processor without floating point hardware, or one emulated, does it
// many times faster than floating point. Corners lie within 2^17 units of the origin.
void fillTriangle(FrameBuffer& buffer, const RasterVertex (&corners)[3], const RasterStyle& style);
