// The view at the limits of its input: meshes of any finite size, pictures too large for
// memory, slivers of triangles whose quantities change fast, and one size for check and view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <random>

#include "FrameBuffer.h"
#include "MeshCheck.h"
#include "MeshModelBuilder.h"
#include "MeshViewer.h"
#include "TriangleRasterizer.h"
#include "ViewTestMeshes.h"

namespace {

int drawnPixels(const FrameBuffer& b) {
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) n += b.groupAt(x, y) >= 0;
    return n;
}

MeshModel scaledCube(float scale, Vec3 shift = {}) {
    MeshModel m = ViewTestMeshes::cube();
    for (Vec3& p : m.groups[0].positions) p = {p.x * scale + shift.x, p.y * scale + shift.y, p.z * scale + shift.z};
    return m;
}

TEST(ViewLimits, AMeshOfAnyFiniteSizeIsDrawnFittedAsAnyOther) {
    FrameBuffer buffer;
    buffer.resize(160, 120);
    auto pixelsOf = [&](MeshModel m) {
        MeshViewer viewer;
        viewer.show(std::move(m));
        viewer.resize(160, 120);
        viewer.render(buffer);
        EXPECT_TRUE(viewer.summary().find("nan") == std::string::npos) << viewer.summary();
        return drawnPixels(buffer);
    };
    const int metre = pixelsOf(scaledCube(1));
    ASSERT_GT(metre, 3000);
    for (float scale : {1e-30f, 1e-38f, 1e-42f, 1e19f, 1e30f, 1.5e38f}) EXPECT_NEAR(pixelsOf(scaledCube(scale)), metre, metre / 50) << scale;
    // Far from the origin, and a box from -3e38 to 3e38 whose size a float cannot hold.
    EXPECT_NEAR(pixelsOf(scaledCube(1e4f, {1e7f, -1e7f, 0})), metre, metre / 50);
    EXPECT_NEAR(pixelsOf(scaledCube(1e37f, {1e38f, 0, 0})), metre, metre / 50);
    MeshModel wide = scaledCube(3e38f);
    MeshViewer viewer;
    viewer.show(std::move(wide));
    viewer.resize(160, 120);
    viewer.render(buffer);
    EXPECT_NEAR(drawnPixels(buffer), metre, metre / 50);
    EXPECT_EQ(viewer.summary().rfind("6000000010", 0), 0u) << viewer.summary();

    // All at one point: nothing can be seen, and the status line says why.
    MeshModel point = scaledCube(0, {5, 5, 5});
    viewer.show(std::move(point));
    EXPECT_NE(viewer.summary().find("all its vertices stand at one point"), std::string::npos) << viewer.summary();
}

TEST(ViewLimits, ThePictureOfTheViewAndTheCheckLineGiveOneSize) {
    for (const char* x : {"1.115", "0.005", "2.675"}) {
        const std::string text = std::string("MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0 0 0 1\n") + x + " 0 0 0 0 1\n0 1 0 0 0 1\n0 1 2\n";
        MeshCheck check;
        check.feed(text.data(), text.size());
        const std::string line = check.verdict();
        const std::string checkSize = line.substr(line.rfind(", ") + 2);
        MeshViewer viewer;
        viewer.show(buildMeshModel(text));
        EXPECT_EQ(viewer.summary().substr(0, checkSize.size()), checkSize) << line;
    }
}

// The view keeps one copy of a mesh's vertices: a single group's are taken over, and the
// model keeps only what the status line and a click name.
TEST(ViewLimits, TheViewKeepsOneCopyOfTheVertices) {
    MeshModel model = scaledCube(2);
    const Vec3* vertices = model.groups[0].positions.data();
    MeshViewer viewer;
    viewer.show(std::move(model));
    EXPECT_EQ(viewer.geometry().positions.data(), vertices);
    EXPECT_TRUE(viewer.mesh().groups[0].positions.empty());
    EXPECT_TRUE(viewer.mesh().groups[0].normals.empty());
    EXPECT_TRUE(viewer.mesh().groups[0].indices.empty());
    EXPECT_EQ(viewer.summary(), "4.00 x 4.00 x 4.00 m, 1 group, 24 vertices, 12 triangles");
}

// A failed resize leaves the buffer as it was, so the next picture stays within it.
TEST(ViewLimits, AResizeThatRunsOutOfMemoryChangesNothing) {
    FrameBuffer buffer;
    buffer.resize(64, 48);
    EXPECT_THROW(buffer.resize(1 << 30, 1 << 30), std::bad_alloc);
    EXPECT_EQ(buffer.width(), 64);
    EXPECT_EQ(buffer.height(), 48);
    MeshViewer viewer;
    viewer.show(ViewTestMeshes::cube());
    viewer.resize(1 << 30, 1 << 30);  // the window's size went ahead; the buffer's did not
    viewer.render(buffer);
    viewer.resize(64, 48);
    viewer.render(buffer);
    EXPECT_GT(drawnPixels(buffer), 500);
}

// Random triangles, many of them slivers, with depths and quantities from the largest the
// rasteriser takes to the smallest: every pixel it hands on lies within the corners' range.
TEST(ViewLimits, TheRasteriserNeverLeavesTheRangeOfItsCorners) {
    FrameBuffer buffer;
    buffer.resize(640, 480);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> coordinate(-(1 << 17) + 1, (1 << 17) - 1), onScreen(-200, 3000);
    std::uniform_int_distribution<std::int64_t> depth(1, std::int64_t{1} << 30), value(-(std::int64_t{1} << 40), std::int64_t{1} << 40);
    int pixels = 0;
    for (int t = 0; t < 4000; ++t) {
        RasterCorner<2> c[3];
        for (auto& k : c) {
            const bool far = t % 3 == 0;
            k.x = far ? coordinate(random) : onScreen(random);
            k.y = far ? coordinate(random) : onScreen(random) * 3 / 4;
            k.depth = depth(random);
            k.value[0] = value(random);
            k.value[1] = t % 2 ? value(random) >> 20 : value(random);
        }
        auto low = [&](auto get) { return std::min({get(c[0]), get(c[1]), get(c[2])}); };
        auto high = [&](auto get) { return std::max({get(c[0]), get(c[1]), get(c[2])}); };
        const auto d = [](const RasterCorner<2>& k) { return k.depth; };
        const auto v0 = [](const RasterCorner<2>& k) { return k.value[0]; };
        const auto v1 = [](const RasterCorner<2>& k) { return k.value[1]; };
        // A pixel centre lies within the triangle, but the quantities at it are rounded.
        const auto slack = [](std::int64_t lo, std::int64_t hi) { return (hi - lo) / 64 + 64; };
        bool inside = true;
        fillTriangle<2>(buffer, c, 0, [&](const RasterPixel<2>& p, std::uint32_t&) {
            ++pixels;
            inside = inside && p.depth >= std::max<std::int64_t>(1, low(d) - slack(low(d), high(d))) &&
                     p.depth <= high(d) + slack(low(d), high(d)) && p.value[0] >= low(v0) - slack(low(v0), high(v0)) &&
                     p.value[0] <= high(v0) + slack(low(v0), high(v0)) && p.value[1] >= low(v1) - slack(low(v1), high(v1)) &&
                     p.value[1] <= high(v1) + slack(low(v1), high(v1));
            return false;  // nothing stored: every triangle meets an empty buffer
        });
        ASSERT_TRUE(inside) << "triangle " << t << ": (" << c[0].x << "," << c[0].y << ") (" << c[1].x << "," << c[1].y
                            << ") (" << c[2].x << "," << c[2].y << ")";
    }
    EXPECT_GT(pixels, 100000);
}

}  // namespace
