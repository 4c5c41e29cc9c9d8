#pragma once

#include <cstdint>
#include <vector>

#include "Camera.h"
#include "FrameBuffer.h"
#include "TriangleRasterizer.h"
#include "ViewGeometry.h"

struct RenderOptions {
    // Faces seen from the side the simulator culls: marked in the back-face colour (unlit,
    // hiding what lies behind them), or left out as the simulator does.
    bool markBackFaces = true;
    // The triangles' edges drawn over the faces.
    bool wireframe = false;
};

// Draws the mesh as the camera sees it into a cleared frame buffer. A triangle faces the
// viewer when (v1 - v0) x (v2 - v0) points towards the camera, which on the screen (y down)
// means its corners run clockwise. Faces are lit by a light at the camera through the vertex
// normals, smoothly across each triangle, on top of an ambient share; a normal turned away
// from the light leaves the ambient share alone.
class MeshRenderer {
public:
    void render(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options,
                FrameBuffer& buffer);

private:
    void transformVertices(const ViewGeometry& geometry, const Camera& camera);
    void drawClipped(const std::uint32_t (&index)[3], const RasterStyle& style, bool lit, const Camera& camera,
                     FrameBuffer& buffer) const;

    // Per vertex, for the frame being drawn.
    std::vector<Vec3> view;
    std::vector<RasterVertex> screen;
    std::vector<std::uint8_t> outside;  // one bit per clip plane the vertex lies outside of
};
