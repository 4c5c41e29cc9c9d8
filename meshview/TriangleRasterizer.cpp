#include "TriangleRasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ViewColours.h"

namespace {

constexpr std::int64_t half = 1 << 15, fixedOne = 1 << 16;  // 16.16 fixed point
// Pixel centres less than this far inside an edge (16.16 pixels) draw the wire line.
constexpr std::int32_t wireHalfWidth = fixedOne / 2;
constexpr std::int32_t farFromAnyEdge = std::numeric_limits<std::int32_t>::max() / 2;
constexpr int most = 5;  // depth, shade and the distances from the three edges

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The first row (or column) whose centre lies at or after v (in 1/16 pixels): ceil((v - 8) / 16).
int firstAtOrAfter(std::int64_t v) { return static_cast<int>((v - 8 + 15) >> 4); }

struct Corner {
    std::int64_t x, y;
    std::int64_t value[most];
};

// An edge walked down the rows: where it crosses the current row's centre line (x in 16.16
// pixels) and, on the left side, the quantities there.
struct EdgeWalk {
    std::int64_t x = 0, xStep = 0;
    std::int64_t value[most] = {}, valueStep[most] = {};

    void start(const Corner& a, const Corner& b, int row, int quantities) {
        const std::int64_t dy = b.y - a.y, along = static_cast<std::int64_t>(row) * 16 + 8 - a.y;
        x = a.x * 4096 + along * (b.x - a.x) * 4096 / dy;
        xStep = (b.x - a.x) * fixedOne / dy;
        for (int k = 0; k < quantities; ++k) {
            value[k] = a.value[k] + along * (b.value[k] - a.value[k]) / dy;
            valueStep[k] = (b.value[k] - a.value[k]) * 16 / dy;
        }
    }
    void nextRow(int quantities) {
        x += xStep;
        for (int k = 0; k < quantities; ++k) value[k] += valueStep[k];
    }
    // The first column whose centre lies at or right of the edge: ceil(x - 0.5).
    int column() const { return static_cast<int>((x - half + fixedOne - 1) >> 16); }
};

struct Span {
    int y, from, to;
    std::int32_t start[most], step[most];
};

template <bool Wire>
void fillSpan(FrameBuffer& buffer, const Span& s, const RasterStyle& style) {
    const std::size_t rowStart = static_cast<std::size_t>(s.y) * buffer.width();
    std::uint32_t* colour = buffer.pixels() + rowStart;
    std::int32_t* depth = buffer.depths() + rowStart;
    std::int32_t* group = buffer.groups() + rowStart;
    std::int32_t d = s.start[0], shade = s.start[1], e0 = 0, e1 = 0, e2 = 0;
    const std::int32_t dd = s.step[0], ds = s.step[1];
    if (Wire) e0 = s.start[2], e1 = s.start[3], e2 = s.start[4];
    const std::uint32_t* shades = style.shades;
    const std::int32_t g = style.group;
    for (int x = s.from; x < s.to; ++x) {
        if (d > depth[x]) {
            depth[x] = d;
            group[x] = g;
            std::uint32_t c = shades[(shade >> 16) & 0xFF];
            if (Wire && std::min(e0, std::min(e1, e2)) < wireHalfWidth) c = ViewColours::wire;
            colour[x] = c;
        }
        d += dd;
        shade += ds;
        if (Wire) e0 += s.step[2], e1 += s.step[3], e2 += s.step[4];
    }
}

}  // namespace

void fillTriangle(FrameBuffer& buffer, const RasterVertex (&v)[3], const RasterStyle& style) {
    const std::int64_t det = static_cast<std::int64_t>(v[1].x - v[0].x) * (v[2].y - v[0].y) -
                             static_cast<std::int64_t>(v[2].x - v[0].x) * (v[1].y - v[0].y);
    if (det == 0) return;
    const int width = buffer.width(), height = buffer.height();
    const int firstRow = std::max(0, firstAtOrAfter(std::min({v[0].y, v[1].y, v[2].y})));
    const int endRow = std::min(height, firstAtOrAfter(std::max({v[0].y, v[1].y, v[2].y})));
    const int firstColumn = std::max(0, firstAtOrAfter(std::min({v[0].x, v[1].x, v[2].x})));
    const int endColumn = std::min(width, firstAtOrAfter(std::max({v[0].x, v[1].x, v[2].x})));
    if (firstRow >= endRow || firstColumn >= endColumn) return;

    const bool wire = style.wireEdges != 0;
    const int quantities = wire ? 5 : 2;
    Corner c[3];
    for (int i = 0; i < 3; ++i) {
        c[i].x = v[i].x;
        c[i].y = v[i].y;
        c[i].value[0] = style.yields ? v[i].depth - (v[i].depth >> 12) : v[i].depth;
        // Half a step inside the table, so rounding never leaves the shade.
        c[i].value[1] = std::clamp(v[i].shade, 0, 255) * fixedOne + half;
        c[i].value[2] = c[i].value[3] = c[i].value[4] = 0;
    }
    if (wire) {
        // The distance from each edge's line (16.16 pixels): 0 at its ends, the triangle's
        // height over it at the third corner. Edges without a wire line are far from all.
        for (int i = 0; i < 3; ++i) {
            const Corner &a = c[i], &b = c[(i + 1) % 3];
            const double length = std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
            const auto height = static_cast<std::int64_t>(std::llabs(det) * static_cast<double>(fixedOne) / (16 * length));
            for (int k = 0; k < 3; ++k)
                c[k].value[2 + i] = style.wireEdges & (1u << i) ? (k == (i + 2) % 3 ? height : 0) : farFromAnyEdge;
        }
    }
    // The change of each quantity per pixel across a row.
    const std::int64_t dy1 = c[1].y - c[0].y, dy2 = c[2].y - c[0].y;
    std::int32_t perColumn[most] = {};
    std::int64_t gradient[most] = {};
    for (int k = 0; k < quantities; ++k) {
        gradient[k] = ((c[1].value[k] - c[0].value[k]) * dy2 - (c[2].value[k] - c[0].value[k]) * dy1) * 16 / det;
        perColumn[k] = toInt32(gradient[k]);
    }

    // Corners from the top; the long edge runs from the top one to the bottom one, the short
    // ones through the middle corner, which lies left of the long edge when it turns that way.
    const Corner* s[3] = {&c[0], &c[1], &c[2]};
    std::sort(s, s + 3, [](const Corner* a, const Corner* b) { return a->y < b->y; });
    const Corner &top = *s[0], &middle = *s[1], &bottom = *s[2];
    const bool shortOnLeft = (middle.x - top.x) * (bottom.y - top.y) < (bottom.x - top.x) * (middle.y - top.y);
    const int middleRow = std::clamp(firstAtOrAfter(middle.y), firstRow, endRow);

    EdgeWalk longEdge, shortEdge;
    longEdge.start(top, bottom, firstRow, shortOnLeft ? 0 : quantities);
    if (firstRow < middleRow) shortEdge.start(top, middle, firstRow, shortOnLeft ? quantities : 0);
    Span span;
    for (int y = firstRow; y < endRow; ++y) {
        if (y == middleRow) shortEdge.start(middle, bottom, y, shortOnLeft ? quantities : 0);
        EdgeWalk& left = shortOnLeft ? shortEdge : longEdge;
        const EdgeWalk& right = shortOnLeft ? longEdge : shortEdge;
        span.from = std::max(left.column(), firstColumn);
        span.to = std::min(right.column(), endColumn);
        if (span.from < span.to) {
            // From the edge's crossing to the first pixel centre: under a pixel, unless the
            // span was cut at the buffer's left side.
            const std::int64_t offset = static_cast<std::int64_t>(span.from) * fixedOne + half - left.x;
            for (int k = 0; k < quantities; ++k) {
                span.start[k] = toInt32(left.value[k] + gradient[k] * offset / fixedOne);
                span.step[k] = perColumn[k];
            }
            span.y = y;
            if (wire) fillSpan<true>(buffer, span, style);
            else fillSpan<false>(buffer, span, style);
        }
        longEdge.nextRow(shortOnLeft ? 0 : quantities);
        shortEdge.nextRow(shortOnLeft ? quantities : 0);
    }
}
