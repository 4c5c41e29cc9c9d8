#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Camera.h"
#include "FrameBuffer.h"
#include "TriangleRasterizer.h"
#include "ViewGeometry.h"

struct RenderOptions {
    // Faces seen from the side the simulator culls: marked in the back-face colour (unlit,
    // hiding what lies behind them, but yielding to a face at the same depth), or left out
    // as the simulator does.
    bool markBackFaces = true;
    // The triangles' edges drawn over the faces.
    bool wireframe = false;
};

// Draws the mesh as the camera sees it into a cleared frame buffer. A triangle faces the
// viewer when (v1 - v0) x (v2 - v0) points towards the camera, which on the screen (y down)
// means its corners run clockwise. Faces are lit by a light at the camera that shines along
// the line of sight, through the vertex normals, smoothly across each triangle, on top of an
// ambient share; a normal turned away from the light leaves the ambient share alone.
//
// Vertices are carried into the picture in integers (the geometry's fixed-point copy), so a
// frame costs little floating point: only triangles that cross the near plane or lie far
// beyond the picture's sides are cut in floating point.
class MeshRenderer {
public:
    MeshRenderer();
    void render(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options,
                FrameBuffer& buffer);

private:
    struct ViewPoint {
        std::int64_t x, y, z;  // the camera's coordinates in the geometry's fixed units
    };
    void transformVertices(const ViewGeometry& geometry, const Camera& camera);
    void drawClipped(const std::uint32_t (&index)[3], const RasterStyle& style, bool lit, FrameBuffer& buffer) const;

    std::array<std::uint32_t, 256> backFaceShades;  // unlit: one colour for every shade
    // For the frame being drawn.
    float focal = 1, centreX = 0, centreY = 0, guardX = 0, guardY = 0;
    std::int64_t nearUnits = 1;
    // Per vertex.
    std::vector<ViewPoint> view;
    std::vector<RasterVertex> screen;
    std::vector<std::uint8_t> outside;  // one bit per clip plane the vertex lies outside of
};
