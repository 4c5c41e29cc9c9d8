#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "FrameBuffer.h"

// One corner of a triangle on the screen, in integers, with the quantities the shading step
// wants at each pixel. Every quantity varies linearly over the screen: a quantity that must
// vary linearly in space (a texture coordinate) is handed in divided by the distance, that
// is, multiplied by the depth, and the shading step divides it back.
template <int Count>
struct RasterCorner {
    static constexpr std::int32_t subpixels = 16;      // coordinate units per pixel
    static constexpr std::int64_t nearDepth = 1 << 30;  // the depth of a point on the near plane

    std::int32_t x, y;   // 1/16 pixels from the top left corner, y down
    std::int64_t depth;  // nearDepth times the near plane's distance over the corner's: larger is nearer
    std::int64_t value[Count > 0 ? Count : 1];
};

// What the rasteriser hands the shading step at one pixel: the depth and the quantities
// there, in the corners' units.
template <int Count>
struct RasterPixel {
    int x, y;
    std::int64_t depth;
    const std::int64_t* value;  // Count of them, valid during the call
};

// Finds the pixels whose centres lie inside the triangle (either winding) and are nearer than
// what is drawn there, and asks the shading step for each: `shade(pixel, colour)` blends into
// the colour and returns whether the pixel was drawn; when it was, its depth and the group are
// stored. The rasteriser chooses no colour. A pixel centre on an edge shared by two triangles
// goes to exactly one of them. All of it is integer arithmetic: a processor without floating
// point hardware, or one emulated, does it many times faster than floating point. Corners lie
// within 2^17 units of the origin and their depths and quantities within 2^40 of zero; the
// quantities are stepped in 64 bits with steps of at most 2^48, so that no overflow happens
// anywhere, on a sliver of a triangle neither.
template <int Count, class Shade>
void fillTriangle(FrameBuffer& buffer, const RasterCorner<Count> (&corners)[3], std::int32_t group, Shade&& shade);

// ---- the implementation, in the header because it is specialised per shading step ----

namespace raster_detail {

constexpr std::int64_t fixedOne = 1 << 16, half = fixedOne / 2;  // 16.16 fixed point

// The first row (or column) whose centre lies at or after v (in 1/16 pixels): ceil((v - 8) / 16).
inline int firstAtOrAfter(std::int64_t v) { return static_cast<int>((v - 8 + 15) >> 4); }

template <int N>
struct Corner {
    std::int64_t x, y;
    std::int64_t value[N];  // the depth first, then the quantities
};

// An edge walked down the rows: where it crosses the current row's centre line (x in 16.16
// pixels) and, on the left side, the quantities there.
template <int N>
struct EdgeWalk {
    std::int64_t x = 0, xStep = 0;
    std::int64_t value[N] = {}, valueStep[N] = {};

    void start(const Corner<N>& a, const Corner<N>& b, int row, bool withValues) {
        const std::int64_t dy = b.y - a.y, along = static_cast<std::int64_t>(row) * 16 + 8 - a.y;
        x = a.x * 4096 + along * (b.x - a.x) * 4096 / dy;
        xStep = (b.x - a.x) * fixedOne / dy;
        if (!withValues) return;
        for (int k = 0; k < N; ++k) {
            value[k] = a.value[k] + along * (b.value[k] - a.value[k]) / dy;
            valueStep[k] = (b.value[k] - a.value[k]) * 16 / dy;
        }
    }
    void nextRow(bool withValues) {
        x += xStep;
        if (withValues)
            for (int k = 0; k < N; ++k) value[k] += valueStep[k];
    }
    // The first column whose centre lies at or right of the edge: ceil(x - 0.5).
    int column() const { return static_cast<int>((x - half + fixedOne - 1) >> 16); }
};

}  // namespace raster_detail

template <int Count, class Shade>
void fillTriangle(FrameBuffer& buffer, const RasterCorner<Count> (&v)[3], std::int32_t group, Shade&& shade) {
    using namespace raster_detail;
    constexpr int N = (Count > 0 ? Count : 0) + 1;
    const std::int64_t det = static_cast<std::int64_t>(v[1].x - v[0].x) * (v[2].y - v[0].y) -
                             static_cast<std::int64_t>(v[2].x - v[0].x) * (v[1].y - v[0].y);
    if (det == 0) return;
    const int width = buffer.width(), height = buffer.height();
    const int firstRow = std::max(0, firstAtOrAfter(std::min({v[0].y, v[1].y, v[2].y})));
    const int endRow = std::min(height, firstAtOrAfter(std::max({v[0].y, v[1].y, v[2].y})));
    const int firstColumn = std::max(0, firstAtOrAfter(std::min({v[0].x, v[1].x, v[2].x})));
    const int endColumn = std::min(width, firstAtOrAfter(std::max({v[0].x, v[1].x, v[2].x})));
    if (firstRow >= endRow || firstColumn >= endColumn) return;

    Corner<N> c[3];
    for (int i = 0; i < 3; ++i) {
        c[i].x = v[i].x;
        c[i].y = v[i].y;
        c[i].value[0] = v[i].depth;
        for (int k = 1; k < N; ++k) c[i].value[k] = v[i].value[k - 1];
    }
    // The change of each quantity per pixel across a row. Over a sliver of a triangle the
    // quantities change fast; they are then stepped only within the triangle, and the 64
    // bits hold them across any picture.
    const std::int64_t dy1 = c[1].y - c[0].y, dy2 = c[2].y - c[0].y;
    std::int64_t perColumn[N];
    for (int k = 0; k < N; ++k) {
        const double g = (static_cast<double>(c[1].value[k] - c[0].value[k]) * static_cast<double>(dy2) -
                          static_cast<double>(c[2].value[k] - c[0].value[k]) * static_cast<double>(dy1)) *
                         16.0 / static_cast<double>(det);
        constexpr double limit = static_cast<double>(std::int64_t{1} << 48);
        perColumn[k] = static_cast<std::int64_t>(std::clamp(g, -limit, limit));
    }

    // Corners from the top; the long edge runs from the top one to the bottom one, the short
    // ones through the middle corner, which lies left of the long edge when it turns that way.
    const Corner<N>* s[3] = {&c[0], &c[1], &c[2]};
    std::sort(s, s + 3, [](const Corner<N>* a, const Corner<N>* b) { return a->y < b->y; });
    const Corner<N>&top = *s[0], &middle = *s[1], &bottom = *s[2];
    const bool shortOnLeft = (middle.x - top.x) * (bottom.y - top.y) < (bottom.x - top.x) * (middle.y - top.y);
    const int middleRow = std::clamp(firstAtOrAfter(middle.y), firstRow, endRow);

    EdgeWalk<N> longEdge, shortEdge;
    longEdge.start(top, bottom, firstRow, !shortOnLeft);
    if (firstRow < middleRow) shortEdge.start(top, middle, firstRow, shortOnLeft);
    RasterPixel<Count> pixel;
    for (int y = firstRow; y < endRow; ++y) {
        if (y == middleRow) shortEdge.start(middle, bottom, y, shortOnLeft);
        EdgeWalk<N>& left = shortOnLeft ? shortEdge : longEdge;
        const EdgeWalk<N>& right = shortOnLeft ? longEdge : shortEdge;
        const int from = std::max(left.column(), firstColumn), to = std::min(right.column(), endColumn);
        if (from < to) {
            // From the edge's crossing to the first pixel centre: under a pixel, unless the
            // span was cut at the buffer's left side.
            const std::int64_t offset = static_cast<std::int64_t>(from) * fixedOne + half - left.x;
            std::int64_t at[N];
            for (int k = 0; k < N; ++k)
                at[k] = left.value[k] + static_cast<std::int64_t>(static_cast<double>(perColumn[k]) *
                                                                  static_cast<double>(offset) / fixedOne);
            const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            std::uint32_t* colour = buffer.pixels() + rowStart;
            std::int32_t* depth = buffer.depths() + rowStart;
            std::int32_t* groups = buffer.groups() + rowStart;
            pixel.y = y;
            pixel.value = at + 1;
            for (int x = from; x < to; ++x) {
                const std::int64_t d = std::clamp<std::int64_t>(at[0], 1, std::numeric_limits<std::int32_t>::max());
                if (d > depth[x]) {
                    pixel.x = x;
                    pixel.depth = d;
                    if (shade(static_cast<const RasterPixel<Count>&>(pixel), colour[x])) {
                        depth[x] = static_cast<std::int32_t>(d);
                        groups[x] = group;
                    }
                }
                for (int k = 0; k < N; ++k) at[k] += perColumn[k];
            }
        }
        longEdge.nextRow(!shortOnLeft);
        shortEdge.nextRow(shortOnLeft);
    }
}
