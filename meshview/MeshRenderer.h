#pragma once

#include <cstdint>
#include <vector>

#include "Camera.h"
#include "FrameBuffer.h"
#include "SurfaceShading.h"
#include "TextureSampler.h"
#include "ViewGeometry.h"

struct RenderOptions {
    // Faces seen from the side the simulator culls: marked in the back-face colour (unlit,
    // hiding what lies behind them, but yielding to a face at the same depth), or left out
    // as the simulator does.
    bool markBackFaces = true;
    // The triangles' edges drawn over the faces.
    bool wireframe = false;
    // The simulator's look, with textures and every colour of the materials; off: each
    // group in its diffuse colour, opaque.
    bool textures = true;
};

// The decoded textures by index of the model's texture list; null where a texture is not
// drawn (not found, not readable, or none).
using TextureSet = std::vector<const Texture*>;

// Draws the mesh as the camera sees it into a cleared frame buffer, in four steps over plain
// buffers: transform (every vertex into the camera's frame and onto the screen, lit, with its
// outcode), clip (triangles that cross the frustum's planes are cut), raster (the pixels of
// each triangle, nearer than what is there) and shade (their colour). A triangle faces the
// viewer when (v1 - v0) x (v2 - v0) points towards the camera, which on the screen (y down)
// means its corners run clockwise. Faces are lit by a light at the camera that shines along
// the line of sight, through the vertex normals, smoothly across each triangle. Groups are
// drawn in file order, each blended over what is drawn and writing its depth, as the
// simulator draws them.
//
// Vertices are carried into the picture in integers, so a frame costs little floating point:
// only triangles that cross the near plane or lie far beyond the picture's sides are cut in
// floating point.
class MeshRenderer {
public:
    // Sizes the per-vertex buffers for the geometry, once per mesh: a frame then allocates nothing.
    void prepare(const ViewGeometry& geometry);
    void render(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options,
                const TextureSet& textures, FrameBuffer& buffer);

private:
    // A vertex after the transform: where it lands in the picture (1/16 pixels), its depth
    // (RasterCorner's), its light and highlight (SurfaceShading's lightOne is full).
    struct ScreenVertex {
        std::int32_t x, y, depth;
        std::uint16_t light, shine;  // 65535 for full, lightOne >> 4
    };
    struct Corner;
    struct Face;

    void transformVertices(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options);
    void drawTriangle(const ViewGeometry& geometry, std::size_t triangle, const RenderOptions& options,
                      const TextureSet& textures, FrameBuffer& buffer) const;
    struct Fixed {
        std::int64_t x, y, z;
    };
    static Fixed fixedOf(Vec3 units);
    Vec3 toCamera(Vec3 units) const;
    int clip(const ViewGeometry& geometry, const std::uint32_t (&index)[3], std::uint8_t cut, Corner* out,
             bool* ownEdge) const;

    // For the frame being drawn.
    float focal = 1, centreX = 0, centreY = 0, guardX = 0, guardY = 0;
    std::int64_t nearUnits = 1;
    std::int64_t rotation[3][3] = {}, translation[3] = {};
    // Per vertex.
    std::vector<ScreenVertex> screen;
    std::vector<std::uint8_t> outside;  // the ClipPlanes bits of the planes it lies outside of
    // Per group, its colours in the shading step's terms.
    std::vector<SurfaceShading::SurfaceColours> colours;
};
