#include "TriangleRasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "ViewColours.h"

namespace {

constexpr double depthScale = 1073741824.0;  // 2^30: depth 1 at the near plane
constexpr double fixedOne = 65536.0;         // 16.16 fixed point for shades, distances, columns
// Pixel centres less than this far inside an edge (in pixels) draw the wire line.
constexpr std::int32_t wireHalfWidth = static_cast<std::int32_t>(0.6 * fixedOne);
constexpr std::int32_t farFromAnyEdge = std::numeric_limits<std::int32_t>::max() / 2;
// Twice the smallest area drawn (pixels): smaller triangles would need gradients beyond the
// fixed-point range, and cover a pixel centre only by chance.
constexpr float smallestDoubleArea = 0.01f;

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// A quantity linear over the screen, in fixed point: its value at the centre of the anchor
// column in the current row, and its change per row and per column.
struct Plane {
    std::int64_t row = 0, perRow = 0, perColumn = 0;

    Plane() = default;
    Plane(const RasterVertex (&v)[3], const double (&value)[3], double det, double scale, int anchorX,
          int firstRow) {
        const double dx1 = v[1].x - v[0].x, dy1 = v[1].y - v[0].y, dx2 = v[2].x - v[0].x, dy2 = v[2].y - v[0].y;
        const double da1 = value[1] - value[0], da2 = value[2] - value[0];
        const double ax = (da1 * dy2 - da2 * dy1) / det, ay = (da2 * dx1 - da1 * dx2) / det;
        const double at = value[0] + ax * (anchorX + 0.5 - v[0].x) + ay * (firstRow + 0.5 - v[0].y);
        row = std::llround(at * scale);
        perRow = std::llround(ay * scale);
        perColumn = std::llround(ax * scale);
    }
    std::int32_t at(int column) const { return toInt32(row + perColumn * column); }
    std::int32_t step() const { return toInt32(perColumn); }
    void nextRow() { row += perRow; }
};

// An edge walked down the rows: its x (16.16) where it crosses the current row's centre line.
struct EdgeWalk {
    std::int64_t x = 0, step = 0;
    void start(const RasterVertex& a, const RasterVertex& b, int row) {
        const double slope = (static_cast<double>(b.x) - a.x) / (static_cast<double>(b.y) - a.y);
        x = std::llround((a.x + (row + 0.5 - a.y) * slope) * fixedOne);
        step = std::llround(slope * fixedOne);
    }
    // The first column whose centre lies at or right of the edge: ceil(x - 0.5).
    int column() const { return static_cast<int>((x - static_cast<std::int64_t>(fixedOne / 2) + 0xFFFF) >> 16); }
};

struct Planes {
    Plane depth, shade, edge[3];
};

template <bool Wire>
void fillSpan(FrameBuffer& buffer, int y, int from, int to, int anchorX, const Planes& p, const RasterStyle& style) {
    const std::size_t rowStart = static_cast<std::size_t>(y) * buffer.width();
    std::uint32_t* colour = buffer.pixels() + rowStart;
    std::int32_t* depth = buffer.depths() + rowStart;
    std::int32_t* group = buffer.groups() + rowStart;
    const int offset = from - anchorX;
    std::int32_t d = p.depth.at(offset), dd = p.depth.step();
    std::int32_t s = p.shade.at(offset), ds = p.shade.step();
    std::int32_t e0 = 0, e1 = 0, e2 = 0, de0 = 0, de1 = 0, de2 = 0;
    if (Wire) {
        e0 = p.edge[0].at(offset), de0 = p.edge[0].step();
        e1 = p.edge[1].at(offset), de1 = p.edge[1].step();
        e2 = p.edge[2].at(offset), de2 = p.edge[2].step();
    }
    const std::uint32_t* shades = style.shades;
    const std::int32_t g = style.group;
    for (int x = from; x < to; ++x) {
        if (d > depth[x]) {
            depth[x] = d;
            group[x] = g;
            std::uint32_t c = shades[(s >> 16) & 0xFF];
            if (Wire && std::min(e0, std::min(e1, e2)) < wireHalfWidth) c = ViewColours::wire;
            colour[x] = c;
        }
        d += dd;
        s += ds;
        if (Wire) e0 += de0, e1 += de1, e2 += de2;
    }
}

}  // namespace

void fillTriangle(FrameBuffer& buffer, const RasterVertex (&v)[3], const RasterStyle& style) {
    const float det = (v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[2].x - v[0].x) * (v[1].y - v[0].y);
    if (!(std::fabs(det) >= smallestDoubleArea)) return;  // also when not a number

    const int width = buffer.width(), height = buffer.height();
    const float minX = std::min({v[0].x, v[1].x, v[2].x}), maxX = std::max({v[0].x, v[1].x, v[2].x});
    const float minY = std::min({v[0].y, v[1].y, v[2].y}), maxY = std::max({v[0].y, v[1].y, v[2].y});
    const int firstRow = std::max(0, static_cast<int>(std::ceil(minY - 0.5f)));
    const int endRow = std::min(height, static_cast<int>(std::ceil(maxY - 0.5f)));
    const int anchorX = std::max(0, static_cast<int>(std::ceil(minX - 0.5f)));
    const int endColumn = std::min(width, static_cast<int>(std::ceil(maxX - 0.5f)));
    if (firstRow >= endRow || anchorX >= endColumn) return;

    // Shades are kept half a step inside the table, so rounding never leaves it.
    const double shade[3] = {0.5 + v[0].shade * (254.0 / 255), 0.5 + v[1].shade * (254.0 / 255),
                             0.5 + v[2].shade * (254.0 / 255)};
    const double depth[3] = {v[0].depth, v[1].depth, v[2].depth};
    Planes planes;
    planes.depth = Plane(v, depth, det, depthScale, anchorX, firstRow);
    planes.shade = Plane(v, shade, det, fixedOne, anchorX, firstRow);
    const bool wire = style.wireEdges != 0;
    if (wire) {
        for (int i = 0; i < 3; ++i) {
            const RasterVertex &a = v[i], &b = v[(i + 1) % 3];
            if (!(style.wireEdges & (1u << i))) {
                planes.edge[i].row = farFromAnyEdge;
                continue;
            }
            // The distance from the edge's line: 0 at its ends, the height at the third corner.
            double distance[3] = {0, 0, 0};
            distance[(i + 2) % 3] = std::fabs(det) / std::hypot(b.x - a.x, b.y - a.y);
            planes.edge[i] = Plane(v, distance, det, fixedOne, anchorX, firstRow);
        }
    }

    // Corners from the top; the long edge runs from the top one to the bottom one.
    const RasterVertex* c[3] = {&v[0], &v[1], &v[2]};
    std::sort(c, c + 3, [](const RasterVertex* a, const RasterVertex* b) { return a->y < b->y; });
    const RasterVertex &top = *c[0], &middle = *c[1], &bottom = *c[2];
    const float longX = top.x + (middle.y - top.y) * (bottom.x - top.x) / (bottom.y - top.y);
    const bool shortOnLeft = middle.x < longX;
    const int middleRow = std::clamp(static_cast<int>(std::ceil(middle.y - 0.5f)), firstRow, endRow);

    EdgeWalk longEdge, shortEdge;
    longEdge.start(top, bottom, firstRow);
    if (firstRow < middleRow) shortEdge.start(top, middle, firstRow);
    for (int y = firstRow; y < endRow; ++y) {
        if (y == middleRow) shortEdge.start(middle, bottom, y);
        const EdgeWalk& left = shortOnLeft ? shortEdge : longEdge;
        const EdgeWalk& right = shortOnLeft ? longEdge : shortEdge;
        const int from = std::max(left.column(), anchorX), to = std::min(right.column(), endColumn);
        if (from < to) {
            if (wire) fillSpan<true>(buffer, y, from, to, anchorX, planes, style);
            else fillSpan<false>(buffer, y, from, to, anchorX, planes, style);
        }
        longEdge.x += longEdge.step;
        shortEdge.x += shortEdge.step;
        planes.depth.nextRow();
        planes.shade.nextRow();
        if (wire) for (Plane& e : planes.edge) e.nextRow();
    }
}
