#include "MeshRenderer.h"

#include <algorithm>
#include <cmath>

#include "ClipPlanes.h"
#include "PolygonClipper.h"
#include "SurfaceShading.h"
#include "TriangleRasterizer.h"
#include "ViewColours.h"

namespace {

constexpr std::int64_t largest = std::int64_t{1} << 40;  // of any coordinate in the camera's frame
constexpr std::int64_t fixedOne = 1 << 16;
// The vertices are carried in integers, 2^20 to the geometry's unit.
constexpr float perUnit = 1 << 20;

std::int32_t fixed(float v, float scale) { return static_cast<std::int32_t>(std::lround(v * scale)); }

// A vertex's 16-bit light or highlight in the shading step's units.
std::int64_t toLight(std::uint16_t v) { return std::int64_t{v} * SurfaceShading::lightOne / 65535; }

}  // namespace

// A corner of a face on the screen, before the shading step's quantities are made from it.
struct MeshRenderer::Corner {
    std::int32_t x, y;  // 1/16 pixels
    std::int64_t depth;
    std::int64_t light, shine;
    float u, v;
};

namespace {
SurfaceShading::SurfaceColours coloursOf(const ViewSurface& s);
}

void MeshRenderer::prepare(const ViewGeometry& geometry) {
    screen.resize(geometry.positions.size());
    outside.resize(geometry.positions.size());
    screen.shrink_to_fit();
    outside.shrink_to_fit();
    colours.clear();
    colours.reserve(geometry.groupCount());
    for (const ViewSurface& surface : geometry.surfaces) colours.push_back(coloursOf(surface));
}

void MeshRenderer::render(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options,
                          const TextureSet& textures, FrameBuffer& buffer) {
    buffer.clear(ViewColours::background);
    if (screen.size() != geometry.positions.size() || colours.size() != geometry.groupCount()) prepare(geometry);
    transformVertices(geometry, camera, options);
    for (std::size_t t = 0; t < geometry.triangleCount(); ++t) drawTriangle(geometry, t, options, textures, buffer);
}

// The camera's frame in fixed point: rotation rows scaled to 2^16, the translation and the
// near plane in the geometry's fixed units; then per vertex integer products, and three
// divisions for the picture's coordinates and the depth. The light stands at the camera.
void MeshRenderer::transformVertices(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options) {
    const float s = perUnit;
    const Vec3 axes[3] = {camera.right(), camera.up(), camera.forward()};
    const Vec3 centre = camera.toView(Vec3{});
    const float moved[3] = {centre.x, centre.y, centre.z};
    for (int row = 0; row < 3; ++row) {
        rotation[row][0] = fixed(axes[row].x, 65536);
        rotation[row][1] = fixed(axes[row].y, 65536);
        rotation[row][2] = fixed(axes[row].z, 65536);
        translation[row] = std::clamp<std::int64_t>(std::llround(static_cast<double>(moved[row]) * s), -largest, largest);
    }
    const std::int64_t light[3] = {fixed(-axes[2].x, 16384), fixed(-axes[2].y, 16384), fixed(-axes[2].z, 16384)};

    focal = camera.focalLength();
    centreX = 0.5f * camera.width();
    centreY = 0.5f * camera.height();
    // The side planes stand a whole picture beyond each side, so screen coordinates stay
    // small while few triangles need cutting.
    guardX = static_cast<float>(camera.width());
    guardY = static_cast<float>(camera.height());
    nearUnits = std::clamp<std::int64_t>(std::llround(static_cast<double>(camera.nearDepth()) * s), 16, largest >> 9);
    const std::int64_t focal16 = std::llround(focal * 16), guardX16 = std::llround(guardX * 16),
                       guardY16 = std::llround(guardY * 16);
    const std::int64_t centreX16 = std::llround(centreX * 16), centreY16 = std::llround(centreY * 16);

    const std::size_t n = geometry.positions.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Fixed p = fixedOf(geometry.positions[i]);
        const ViewGeometry::Normal& normal = geometry.normals[i];
        const std::int64_t x = translation[0] + ((rotation[0][0] * p.x + rotation[0][1] * p.y + rotation[0][2] * p.z) >> 16);
        const std::int64_t y = translation[1] + ((rotation[1][0] * p.x + rotation[1][1] * p.y + rotation[1][2] * p.z) >> 16);
        const std::int64_t z = translation[2] + ((rotation[2][0] * p.x + rotation[2][1] * p.y + rotation[2][2] * p.z) >> 16);
        std::uint8_t bits = 0;
        if (z < nearUnits) bits |= ClipPlanes::nearPlane;
        if (focal16 * x + guardX16 * z < 0) bits |= ClipPlanes::left;
        if (guardX16 * z - focal16 * x < 0) bits |= ClipPlanes::right;
        if (guardY16 * z - focal16 * y < 0) bits |= ClipPlanes::top;
        if (focal16 * y + guardY16 * z < 0) bits |= ClipPlanes::bottom;
        outside[i] = bits;
        // N·L in 2^28, to 16 bits.
        const std::int64_t lit = (light[0] * normal.x + light[1] * normal.y + light[2] * normal.z) >> 12;
        ScreenVertex& v = screen[i];
        v.light = static_cast<std::uint16_t>(std::clamp<std::int64_t>(lit, 0, 65535));
        v.shine = 0;
        if (bits == 0) {
            v.x = static_cast<std::int32_t>(centreX16 + focal16 * x / z);
            v.y = static_cast<std::int32_t>(centreY16 - focal16 * y / z);
            v.depth = static_cast<std::int32_t>((nearUnits << 30) / z);
        } else {
            v.x = v.y = v.depth = 0;
        }
    }
    // The highlight (N·H)^power, with H along the line of sight as the light is; only the
    // groups that have one, and only in the simulator's look.
    if (!options.textures) return;
    for (std::size_t group = 0; group < geometry.groupCount(); ++group) {
        const ViewSurface& surface = geometry.surfaces[group];
        if (surface.power < 0.1f || (surface.flags & SurfaceFlags::unlit)) continue;
        for (std::uint32_t i = geometry.groupFirstVertex[group]; i < geometry.groupFirstVertex[group + 1]; ++i) {
            const float nl = static_cast<float>(screen[i].light) / 65535;
            if (nl > 0) screen[i].shine = static_cast<std::uint16_t>(std::min(std::pow(nl, surface.power), 1.0f) * 65535);
        }
    }
}

// In range for any geometry: its units hold the mesh within 1 of the centre.
MeshRenderer::Fixed MeshRenderer::fixedOf(Vec3 units) {
    return {static_cast<std::int64_t>(units.x * perUnit), static_cast<std::int64_t>(units.y * perUnit),
            static_cast<std::int64_t>(units.z * perUnit)};
}

Vec3 MeshRenderer::toCamera(Vec3 units) const {
    const Fixed p = fixedOf(units);
    const auto row = [&](int r) {
        return static_cast<float>(translation[r] + ((rotation[r][0] * p.x + rotation[r][1] * p.y + rotation[r][2] * p.z) >> 16));
    };
    return {row(0), row(1), row(2)};
}

namespace {

// The colours of a group's faces for the shading step, 12-bit fixed point.
SurfaceShading::SurfaceColours coloursOf(const ViewSurface& s) {
    SurfaceShading::SurfaceColours c;
    const auto q = [](float v) { return static_cast<std::int32_t>(std::lround(std::clamp(v, -64.0f, 64.0f) * 4096)); };
    c.lit = !(s.flags & SurfaceFlags::unlit);
    c.highlight = c.lit && s.power >= 0.1f;
    for (int k = 0; k < 3; ++k) {
        c.diffuse[k] = q(s.diffuse[k]);
        c.constant[k] = c.lit ? q(s.ambient[k] * ViewColours::ambientLevel + s.emissive[k]) : q(s.diffuse[k] + s.emissive[k]);
        c.specular[k] = q(s.specular[k]);
    }
    c.alpha = static_cast<std::int32_t>(std::lround(std::clamp(s.diffuse[3], 0.0f, 1.0f) * 255));
    c.textureWhite = (s.flags & SurfaceFlags::textureWhite) != 0;
    c.alphaTest = (s.flags & SurfaceFlags::alphaTest) != 0;
    return c;
}

template <int Count>
using Corners = RasterCorner<Count>[3];

// The three corners' positions and depth; back faces are drawn a 4096th farther than they
// are, so a front face at the same depth wins.
template <int Count, class C>
void place(Corners<Count>& out, const C* const (&in)[3], bool yields) {
    for (int k = 0; k < 3; ++k) {
        out[k].x = in[k]->x;
        out[k].y = in[k]->y;
        out[k].depth = yields ? in[k]->depth - (in[k]->depth >> 12) : in[k]->depth;
    }
}

// The distance from each edge's line (16.16 pixels): 0 at its ends, the triangle's height
// over it at the third corner. Edges without a wire line are far from all.
template <int Count>
void placeWire(Corners<Count>& out, int first, unsigned wireEdges) {
    const double det = static_cast<double>(out[1].x - out[0].x) * (out[2].y - out[0].y) -
                       static_cast<double>(out[2].x - out[0].x) * (out[1].y - out[0].y);
    for (int i = 0; i < 3; ++i) {
        const auto &a = out[i], &b = out[(i + 1) % 3];
        const double length = std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
        const auto height = length > 0 ? static_cast<std::int64_t>(std::fabs(det) * fixedOne / (16 * length)) : 0;
        for (int k = 0; k < 3; ++k)
            out[k].value[first + i] = wireEdges & (1u << i) ? (k == (i + 2) % 3 ? height : 0) : SurfaceShading::farFromAnyEdge;
    }
}

}  // namespace

// Cuts the triangle to the frustum by the planes its corners lie outside of, in ClipPlanes'
// order; the corners of what is left, projected, and which of their edges are the triangle's own.
int MeshRenderer::clip(const ViewGeometry& geometry, const std::uint32_t (&index)[3], std::uint8_t cut, Corner* out,
                       bool* ownEdge) const {
    const auto nearPlane = static_cast<float>(nearUnits);
    const ClipPlane planes[ClipPlanes::count] = {
        {0, 0, 1, -nearPlane}, {focal, 0, guardX, 0}, {-focal, 0, guardX, 0}, {0, -focal, guardY, 0}, {0, focal, guardY, 0}};
    ClipPolygon polygon;
    polygon.count = 3;
    for (int k = 0; k < 3; ++k) {
        const std::uint32_t i = index[k];
        ClipVertex& c = polygon.corner[k];
        c.view = toCamera(geometry.positions[i]);
        c.value[0] = static_cast<float>(toLight(screen[i].light));
        c.value[1] = static_cast<float>(toLight(screen[i].shine));
        c.value[2] = geometry.texCoord(i).u;
        c.value[3] = geometry.texCoord(i).v;
        polygon.ownEdge[k] = true;
    }
    for (int p = 0; p < ClipPlanes::count && polygon.count >= 3; ++p)
        if (cut & ClipPlanes::order[p]) clipPolygon(polygon, planes[p]);
    for (int k = 0; k < polygon.count; ++k) {
        const ClipVertex& c = polygon.corner[k];
        const float z = std::max(c.view.z, nearPlane);
        out[k] = {static_cast<std::int32_t>(std::lround(16 * (centreX + focal * c.view.x / z))),
                  static_cast<std::int32_t>(std::lround(16 * (centreY - focal * c.view.y / z))),
                  static_cast<std::int64_t>(std::min(static_cast<double>(RasterCorner<1>::nearDepth),
                                                     static_cast<double>(RasterCorner<1>::nearDepth) * nearPlane / z)),
                  std::llround(c.value[0]), std::llround(c.value[1]), c.value[2], c.value[3]};
        ownEdge[k] = polygon.ownEdge[k];
    }
    return polygon.count;
}

void MeshRenderer::drawTriangle(const ViewGeometry& geometry, std::size_t t, const RenderOptions& options,
                                const TextureSet& textures, FrameBuffer& buffer) const {
    using namespace SurfaceShading;
    const std::uint32_t index[3] = {geometry.triangles[3 * t], geometry.triangles[3 * t + 1], geometry.triangles[3 * t + 2]};
    const std::uint8_t o0 = outside[index[0]], o1 = outside[index[1]], o2 = outside[index[2]];
    if (o0 & o1 & o2) return;  // wholly outside one plane
    const std::uint32_t group = geometry.triangleGroup[t];
    const ViewSurface& surface = geometry.surfaces[group];
    if (options.textures && (surface.flags & SurfaceFlags::hidden)) return;
    const bool whole = (o0 | o1 | o2) == 0;

    bool front;
    if (whole) {
        const ScreenVertex &a = screen[index[0]], &b = screen[index[1]], &c = screen[index[2]];
        front = (std::int64_t{b.x} - a.x) * (std::int64_t{c.y} - a.y) > (std::int64_t{c.x} - a.x) * (std::int64_t{b.y} - a.y);
    } else {
        const Vec3 v0 = toCamera(geometry.positions[index[0]]), v1 = toCamera(geometry.positions[index[1]]),
                   v2 = toCamera(geometry.positions[index[2]]);
        front = dot(cross(v1 - v0, v2 - v0), v0) < 0;
    }
    if (!front && !options.markBackFaces) return;

    Corner corners[ClipPolygon::most];
    bool ownEdge[ClipPolygon::most] = {true, true, true};
    int count = 3;
    if (whole) {
        for (int k = 0; k < 3; ++k) {
            const ScreenVertex& s = screen[index[k]];
            const TexCoord uv = geometry.texCoord(index[k]);
            corners[k] = {s.x, s.y, s.depth, toLight(s.light), toLight(s.shine), uv.u, uv.v};
        }
    } else {
        count = clip(geometry, index, static_cast<std::uint8_t>(o0 | o1 | o2), corners, ownEdge);
        if (count < 3) return;
    }

    const Texture* texture = nullptr;
    if (options.textures && surface.texture >= 0 && static_cast<std::size_t>(surface.texture) < textures.size())
        texture = textures[static_cast<std::size_t>(surface.texture)];
    if (texture && texture->levels.empty()) texture = nullptr;
    const SurfaceColours& groupColours = colours[group];
    const auto g = static_cast<std::int32_t>(group);
    const int last = count - 1;
    for (int k = 1; k < last; ++k) {
        const Corner* const fan[3] = {&corners[0], &corners[k], &corners[k + 1]};
        unsigned wireEdges = 0;
        if (options.wireframe)
            wireEdges = (k == 1 && ownEdge[0] ? 1u : 0u) | (ownEdge[k] ? 2u : 0u) | (k + 1 == last && ownEdge[last] ? 4u : 0u);

        if (!front || !options.textures) {
            // One quantity: the light (unused on a back face).
            const auto plain = [&](auto shade) {
                constexpr int n = decltype(shade)::quantities;
                RasterCorner<n> r[3];
                place<n>(r, fan, !front);
                for (int i = 0; i < 3; ++i) r[i].value[0] = fan[i]->light;
                if (n > 1) placeWire<n>(r, 1, wireEdges);
                fillTriangle<n>(buffer, r, g, shade);
            };
            if (!front) {
                if (options.wireframe) plain(BackFace<true>{});
                else plain(BackFace<false>{});
            } else if (options.wireframe) {
                plain(Plain<true>{surface.colour});
            } else {
                plain(Plain<false>{surface.colour});
            }
            continue;
        }

        // The simulator's look: the texture coordinates divided by the distance, relative to
        // the triangle's nearest whole texture (wrap addressing makes that exact), the
        // distance scaled within the triangle so its reciprocal keeps its precision.
        TextureSampler sampler;
        const std::int64_t nearest = std::max({fan[0]->depth, fan[1]->depth, fan[2]->depth, std::int64_t{1}});
        const float u0 = std::floor(std::min({fan[0]->u, fan[1]->u, fan[2]->u}));
        const float v0 = std::floor(std::min({fan[0]->v, fan[1]->v, fan[2]->v}));
        const auto surfaceShade = [&](auto shade) {
            constexpr int n = decltype(shade)::quantities;
            RasterCorner<n> r[3];
            place<n>(r, fan, false);
            for (int i = 0; i < 3; ++i) {
                const Corner& c = *fan[i];
                const double q = static_cast<double>(c.depth) * static_cast<double>(reciprocalOne) / static_cast<double>(nearest);
                const double scale = static_cast<double>(1 << coordinateBits) * q / static_cast<double>(reciprocalOne);
                r[i].value[light] = c.light;
                r[i].value[shine] = c.shine;
                r[i].value[reciprocal] = std::llround(q);
                r[i].value[uOver] = std::llround(std::clamp(c.u - u0, -32768.0f, 32768.0f) * scale);
                r[i].value[vOver] = std::llround(std::clamp(c.v - v0, -32768.0f, 32768.0f) * scale);
            }
            if (n > surfaceQuantities) placeWire<n>(r, surfaceQuantities, wireEdges);
            shade.colours = groupColours;
            if (texture) {
                const TextureLevel& base = texture->levels[0];
                const double texelArea = std::fabs(static_cast<double>(fan[1]->u - fan[0]->u) * (fan[2]->v - fan[0]->v) -
                                                   static_cast<double>(fan[2]->u - fan[0]->u) * (fan[1]->v - fan[0]->v)) *
                                         base.width * base.height;
                const double pixelArea = std::fabs(static_cast<double>(r[1].x - r[0].x) * (r[2].y - r[0].y) -
                                                   static_cast<double>(r[2].x - r[0].x) * (r[1].y - r[0].y)) / 256;
                sampler.use(texture->levels[static_cast<std::size_t>(mipLevelFor(*texture, texelArea, pixelArea))]);
                shade.texture = &sampler;
            }
            fillTriangle<n>(buffer, r, g, shade);
        };
        if (options.wireframe) surfaceShade(Surface<true>{});
        else surfaceShade(Surface<false>{});
    }
}
