#include "MeshRenderer.h"

#include <algorithm>
#include <array>

#include "PolygonClipper.h"
#include "ViewColours.h"

namespace {

constexpr int planeCount = 5;  // near, left, right, top, bottom

// The frustum in the camera's coordinates. The side planes stand a whole picture beyond each
// edge of the screen, so screen coordinates stay small while few triangles need cutting.
std::array<ClipPlane, planeCount> frustum(const Camera& camera) {
    const float f = camera.focalLength();
    const auto gx = static_cast<float>(camera.width()), gy = static_cast<float>(camera.height());
    return {{{0, 0, 1, -camera.nearDepth()},
             {f, 0, gx, 0},
             {-f, 0, gx, 0},
             {0, -f, gy, 0},
             {0, f, gy, 0}}};
}

const std::uint32_t* backFaceShades() {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t;
        t.fill(ViewColours::backFace);
        return t;
    }();
    return table.data();
}

}  // namespace

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
        const auto group = static_cast<std::int32_t>(geometry.triangleGroup[t]);

        bool front;
        if ((o0 | o1 | o2) == 0) {
            const RasterVertex &a = screen[index[0]], &b = screen[index[1]], &c = screen[index[2]];
            front = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y) > 0;
        } else {
            const Vec3 a = view[index[0]];
            front = dot(cross(view[index[1]] - a, view[index[2]] - a), a) < 0;
        }
        if (!front && !options.markBackFaces) continue;
        const RasterStyle style{front ? geometry.groupShades(geometry.triangleGroup[t]) : backFaceShades(), group,
                                wireEdges};

        if ((o0 | o1 | o2) == 0) {
            const RasterVertex corners[3] = {screen[index[0]], screen[index[1]], screen[index[2]]};
            fillTriangle(buffer, corners, style);
        } else {
            drawClipped(index, style, front, camera, buffer);
        }
    }
}

void MeshRenderer::transformVertices(const ViewGeometry& geometry, const Camera& camera) {
    const std::size_t n = geometry.positions.size();
    view.resize(n);
    screen.resize(n);
    outside.resize(n);
    const Vec3 eye = camera.eye(), right = camera.right(), up = camera.up(), forward = camera.forward();
    const auto planes = frustum(camera);
    const float nearDepth = camera.nearDepth(), focal = camera.focalLength();
    const float centreX = 0.5f * camera.width(), centreY = 0.5f * camera.height();

    for (std::size_t i = 0; i < n; ++i) {
        const Vec3 d = geometry.positions[i] - eye;
        const Vec3 v{dot(d, right), dot(d, up), dot(d, forward)};
        view[i] = v;
        // The light stands at the camera: its direction at the vertex is -d.
        const float distance = length(d);
        const float light = distance > 0 ? -dot(geometry.normals[i], d) / distance : 0;
        const float shade = light > 0 ? 255 * std::min(light, 1.0f) : 0;
        std::uint8_t bits = 0;
        for (int p = 0; p < planeCount; ++p)
            if (!(planes[p].distance(v) >= 0)) bits |= 1u << p;
        outside[i] = bits;
        if (bits == 0) {
            const float inverse = 1 / v.z;
            screen[i] = {centreX + focal * v.x * inverse, centreY - focal * v.y * inverse, nearDepth * inverse, shade};
        } else {
            screen[i] = {0, 0, 0, shade};
        }
    }
}

// A triangle that crosses the frustum's planes: cut to the frustum, then drawn as a fan.
// Only the parts of its own edges get wire lines.
void MeshRenderer::drawClipped(const std::uint32_t (&index)[3], const RasterStyle& style, bool lit,
                               const Camera& camera, FrameBuffer& buffer) const {
    ClipPolygon polygon;
    polygon.count = 3;
    for (int k = 0; k < 3; ++k) {
        polygon.corner[k] = {view[index[k]], lit ? screen[index[k]].shade : 0};
        polygon.ownEdge[k] = true;
    }
    const std::uint8_t cut = outside[index[0]] | outside[index[1]] | outside[index[2]];
    const auto planes = frustum(camera);
    for (int p = 0; p < planeCount && polygon.count >= 3; ++p)
        if (cut & (1u << p)) clipPolygon(polygon, planes[p]);
    if (polygon.count < 3) return;

    const float nearDepth = camera.nearDepth(), focal = camera.focalLength();
    const float centreX = 0.5f * camera.width(), centreY = 0.5f * camera.height();
    RasterVertex projected[ClipPolygon::most];
    for (int k = 0; k < polygon.count; ++k) {
        const Vec3 v = polygon.corner[k].view;
        const float inverse = 1 / v.z;
        projected[k] = {centreX + focal * v.x * inverse, centreY - focal * v.y * inverse, nearDepth * inverse,
                        polygon.corner[k].shade};
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
