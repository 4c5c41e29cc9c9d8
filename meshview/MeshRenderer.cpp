#include "MeshRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PolygonClipper.h"
#include "ViewColours.h"

namespace {

constexpr int planeCount = 5;  // near, left, right, top, bottom
constexpr std::int64_t largest = std::int64_t{1} << 40;  // of any coordinate in the camera's frame

std::int32_t fixed(float v, float scale) { return static_cast<std::int32_t>(std::lround(v * scale)); }

}  // namespace

MeshRenderer::MeshRenderer() { backFaceShades.fill(ViewColours::backFace); }

void MeshRenderer::render(const ViewGeometry& geometry, const Camera& camera, const RenderOptions& options,
                          FrameBuffer& buffer) {
    buffer.clear(ViewColours::background);
    transformVertices(geometry, camera);
    const unsigned wireEdges = options.wireframe ? 7u : 0u;

    const std::size_t triangles = geometry.triangleCount();
    for (std::size_t t = 0; t < triangles; ++t) {
        const std::uint32_t index[3] = {geometry.triangles[3 * t], geometry.triangles[3 * t + 1],
                                        geometry.triangles[3 * t + 2]};
        const std::uint8_t o0 = outside[index[0]], o1 = outside[index[1]], o2 = outside[index[2]];
        if (o0 & o1 & o2) continue;  // wholly outside one plane
        const bool whole = (o0 | o1 | o2) == 0;

        bool front;
        if (whole) {
            const RasterVertex &a = screen[index[0]], &b = screen[index[1]], &c = screen[index[2]];
            front = static_cast<std::int64_t>(b.x - a.x) * (c.y - a.y) >
                    static_cast<std::int64_t>(c.x - a.x) * (b.y - a.y);
        } else {
            const ViewPoint &a = view[index[0]], &b = view[index[1]], &c = view[index[2]];
            const Vec3 v0{static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(a.z)};
            const Vec3 v1{static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z)};
            const Vec3 v2{static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.z)};
            front = dot(cross(v1 - v0, v2 - v0), v0) < 0;
        }
        if (!front && !options.markBackFaces) continue;
        const RasterStyle style{front ? geometry.groupShades(geometry.triangleGroup[t]) : backFaceShades.data(),
                                static_cast<std::int32_t>(geometry.triangleGroup[t]), wireEdges, !front};
        if (whole) {
            const RasterVertex corners[3] = {screen[index[0]], screen[index[1]], screen[index[2]]};
            fillTriangle(buffer, corners, style);
        } else {
            drawClipped(index, style, front, buffer);
        }
    }
}

// The camera's frame in fixed point: rotation rows scaled to 2^16, the translation and the
// near plane in the geometry's units; then per vertex integer products, and three divisions
// for the picture's coordinates and the depth.
void MeshRenderer::transformVertices(const ViewGeometry& geometry, const Camera& camera) {
    const std::size_t n = geometry.fixed.size();
    view.resize(n);
    screen.resize(n);
    outside.resize(n);

    const float s = geometry.fixedPerMetre;
    const Vec3 axes[3] = {camera.right(), camera.up(), camera.forward()};
    std::int64_t rotation[3][3], translation[3];
    const Vec3 centre = camera.toView(geometry.bounds.centre());
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

    for (std::size_t i = 0; i < n; ++i) {
        const ViewGeometry::Fixed& p = geometry.fixed[i];
        ViewPoint v;
        v.x = translation[0] + ((rotation[0][0] * p.x + rotation[0][1] * p.y + rotation[0][2] * p.z) >> 16);
        v.y = translation[1] + ((rotation[1][0] * p.x + rotation[1][1] * p.y + rotation[1][2] * p.z) >> 16);
        v.z = translation[2] + ((rotation[2][0] * p.x + rotation[2][1] * p.y + rotation[2][2] * p.z) >> 16);
        view[i] = v;
        std::uint8_t bits = 0;
        if (v.z < nearUnits) bits |= 1;
        if (focal16 * v.x + guardX16 * v.z < 0) bits |= 2;
        if (guardX16 * v.z - focal16 * v.x < 0) bits |= 4;
        if (guardY16 * v.z - focal16 * v.y < 0) bits |= 8;
        if (focal16 * v.y + guardY16 * v.z < 0) bits |= 16;
        outside[i] = bits;
        const std::int64_t lit = (light[0] * p.nx + light[1] * p.ny + light[2] * p.nz) >> 20;
        const auto shade = static_cast<std::int32_t>(std::clamp<std::int64_t>(lit, 0, 255));
        if (bits == 0) {
            screen[i] = {static_cast<std::int32_t>(centreX16 + focal16 * v.x / v.z),
                         static_cast<std::int32_t>(centreY16 - focal16 * v.y / v.z),
                         static_cast<std::int32_t>((nearUnits << 30) / v.z), shade};
        } else {
            screen[i] = {0, 0, 0, shade};
        }
    }
}

// A triangle that crosses the frustum's planes: cut to the frustum, then drawn as a fan.
// Only the parts of its own edges get wire lines.
void MeshRenderer::drawClipped(const std::uint32_t (&index)[3], const RasterStyle& style, bool lit,
                               FrameBuffer& buffer) const {
    const auto nearPlane = static_cast<float>(nearUnits);
    const std::array<ClipPlane, planeCount> planes = {{{0, 0, 1, -nearPlane},
                                                       {focal, 0, guardX, 0},
                                                       {-focal, 0, guardX, 0},
                                                       {0, -focal, guardY, 0},
                                                       {0, focal, guardY, 0}}};
    ClipPolygon polygon;
    polygon.count = 3;
    for (int k = 0; k < 3; ++k) {
        const ViewPoint& v = view[index[k]];
        polygon.corner[k] = {{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)},
                             lit ? static_cast<float>(screen[index[k]].shade) : 0};
        polygon.ownEdge[k] = true;
    }
    const std::uint8_t cut = outside[index[0]] | outside[index[1]] | outside[index[2]];
    for (int p = 0; p < planeCount && polygon.count >= 3; ++p)
        if (cut & (1u << p)) clipPolygon(polygon, planes[p]);
    if (polygon.count < 3) return;

    RasterVertex projected[ClipPolygon::most];
    for (int k = 0; k < polygon.count; ++k) {
        const Vec3 v = polygon.corner[k].view;
        const float z = std::max(v.z, nearPlane);
        projected[k] = {static_cast<std::int32_t>(std::lround(16 * (centreX + focal * v.x / z))),
                        static_cast<std::int32_t>(std::lround(16 * (centreY - focal * v.y / z))),
                        static_cast<std::int32_t>(std::min(static_cast<double>(RasterVertex::nearDepth),
                                                           static_cast<double>(RasterVertex::nearDepth) * nearPlane / z)),
                        static_cast<std::int32_t>(std::lround(polygon.corner[k].shade))};
    }
    const int last = polygon.count - 1;
    for (int k = 1; k < last; ++k) {
        RasterStyle fan = style;
        if (style.wireEdges) {
            fan.wireEdges = (k == 1 && polygon.ownEdge[0] ? 1u : 0u) | (polygon.ownEdge[k] ? 2u : 0u) |
                            (k + 1 == last && polygon.ownEdge[last] ? 4u : 0u);
        }
        const RasterVertex corners[3] = {projected[0], projected[k], projected[k + 1]};
        fillTriangle(buffer, corners, fan);
    }
}
