// The renderer on small meshes whose pictures are known: coverage, lighting, back faces,
// depth order, clipping at the camera, wireframe and picking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "FrameBuffer.h"
#include "MeshRenderer.h"
#include "MeshViewer.h"
#include "ViewColours.h"
#include "ViewTestMeshes.h"

namespace {

using namespace ViewTestMeshes;
using Command = MeshViewer::Command;

constexpr int side = 200;

int red(std::uint32_t c) { return static_cast<int>(c >> 16 & 0xFF); }
int green(std::uint32_t c) { return static_cast<int>(c >> 8 & 0xFF); }
int blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

struct Picture {
    FrameBuffer buffer;
    MeshViewer viewer;
    Picture(MeshModel model, Command command, int width = side, int height = side) {
        viewer.show(std::move(model));
        viewer.resize(width, height);
        buffer.resize(width, height);
        viewer.command(command);
    }
    // The mesh alone, without the axis cross.
    void render() { renderer.render(viewer.geometry(), viewer.camera(), viewer.options(), viewer.textures(), buffer); }
    MeshRenderer renderer;
    bool drawn(int x, int y) const { return buffer.groupAt(x, y) >= 0; }
    std::uint32_t at(Vec3 world) const {
        const Camera& c = viewer.camera();
        Vec3 v = c.toView(viewer.geometry().toUnits(world));
        return buffer.pixel(static_cast<int>(c.screenX(v)), static_cast<int>(c.screenY(v)));
    }
    int groupAt(Vec3 world) const {
        const Camera& c = viewer.camera();
        Vec3 v = c.toView(viewer.geometry().toUnits(world));
        return buffer.groupAt(static_cast<int>(c.screenX(v)), static_cast<int>(c.screenY(v)));
    }
};

struct Box {
    int left = side, top = side, right = -1, bottom = -1;
    int count = 0;
};

// The box around every pixel that shows a face; the axis cross's corner does not count.
Box drawnBox(const Picture& p) {
    Box b;
    for (int y = 0; y < p.buffer.height(); ++y)
        for (int x = 0; x < p.buffer.width(); ++x)
            if (p.drawn(x, y)) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
                ++b.count;
            }
    return b;
}

int countColour(const Picture& p, std::uint32_t colour) {
    int n = 0;
    for (int y = 0; y < p.buffer.height(); ++y)
        for (int x = 0; x < p.buffer.width(); ++x) n += p.drawn(x, y) && p.buffer.pixel(x, y) == colour;
    return n;
}

TEST(MeshRendererCube, FromAheadCoversACentredSquareLitFromTheViewer) {
    Picture p(cube(), Command::LookFromAhead);
    p.viewer.command(Command::Textures);  // plain colours
    p.render();
    const Box b = drawnBox(p);
    const int w = b.right - b.left + 1, h = b.bottom - b.top + 1;
    EXPECT_NEAR(w, h, 1) << "not a square";
    EXPECT_NEAR(b.left + b.right, side - 1, 2) << "not centred across";
    EXPECT_NEAR(b.top + b.bottom, side - 1, 2) << "not centred down";
    EXPECT_GT(w, side * 3 / 4) << "not fitted to the picture";
    EXPECT_EQ(b.count, w * h) << "holes in the square";

    // Plain: grey (the default material's colour there), lit from the viewer through the
    // corners' normals (which point almost at the light), far above the ambient level: in the
    // top quarter between the ambient grey and the full one. The simulator's look: its
    // default material is white, and the light saturates it.
    const int fullLight = 192;
    const int ambientOnly = static_cast<int>(fullLight * ViewColours::ambient + 0.5f);
    const int wellLit = ambientOnly + (fullLight - ambientOnly) * 3 / 4;
    Picture simulator(cube(), Command::LookFromAhead);
    simulator.render();
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x) {
            const std::uint32_t c = p.buffer.pixel(x, y);
            ASSERT_TRUE(red(c) == green(c) && green(c) == blue(c)) << x << "," << y;
            ASSERT_GT(red(c), wellLit) << x << "," << y;
            ASSERT_LE(red(c), fullLight) << x << "," << y;
            const std::uint32_t white = simulator.buffer.pixel(x, y);
            ASSERT_TRUE(red(white) == green(white) && green(white) == blue(white)) << x << "," << y;
            ASSERT_GT(red(white), 240) << x << "," << y;
        }
    EXPECT_EQ(countColour(p, ViewColours::backFace), 0);
    EXPECT_EQ(countColour(simulator, ViewColours::backFace), 0);
}

TEST(MeshRendererCube, ReversedWindingShowsTheNearFaceMagentaOrHidesIt) {
    Picture lit(cube(), Command::LookFromAhead);
    lit.viewer.command(Command::Textures);
    lit.render();
    const Box litBox = drawnBox(lit);

    Picture marked(cube(true), Command::LookFromAhead);
    marked.render();
    EXPECT_EQ(drawnBox(marked).count, litBox.count);
    EXPECT_EQ(countColour(marked, ViewColours::backFace), litBox.count) << "the near face hides the inside";

    // Hidden as the simulator does: the inner sides of the other faces now face the viewer;
    // their normals still point outwards, away from the light, so they show at the ambient
    // level alone: in plain colours never black, in the simulator's look the material's
    // ambient colour (white) at the ambient level.
    Picture hidden(cube(true), Command::LookFromAhead);
    hidden.viewer.command(Command::BackFaces);
    hidden.viewer.command(Command::Textures);
    hidden.render();
    EXPECT_EQ(countColour(hidden, ViewColours::backFace), 0);
    const Box b = drawnBox(hidden);
    EXPECT_EQ(b.count, litBox.count);
    const std::uint32_t darkest = lit.buffer.pixel(litBox.left, litBox.top);
    Picture dark(cube(true), Command::LookFromAhead);
    dark.viewer.command(Command::BackFaces);
    dark.render();
    const int ambientLevel = static_cast<int>(255 * ViewColours::ambientLevel);
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x) {
            const std::uint32_t c = hidden.buffer.pixel(x, y);
            ASSERT_LT(red(c), red(darkest)) << x << "," << y;
            ASSERT_GE(red(c), static_cast<int>(ViewColours::darkest)) << x << "," << y;
            ASSERT_NEAR(red(dark.buffer.pixel(x, y)), ambientLevel, 1) << x << "," << y;
        }

    // Space again marks them again.
    hidden.viewer.command(Command::BackFaces);
    hidden.render();
    EXPECT_EQ(countColour(hidden, ViewColours::backFace), litBox.count);
}

// Along the outline the faces turned away meet the near ones at the same depth: the near
// ones win, so no magenta shows on a closed mesh wound the right way, from any side.
TEST(MeshRendererCube, NoMagentaAlongTheOutlineOfAClosedMesh) {
    for (int turn = 0; turn < 360; turn += 7) {
        Picture p(cube(), Command::StartView);
        p.viewer.press(MeshViewer::Drag::Orbit, 0, 0);
        p.viewer.release(turn * 2, turn / 3 - 40, p.buffer);
        p.render();
        ASSERT_GT(drawnBox(p).count, 1000);
        ASSERT_EQ(countColour(p, ViewColours::backFace), 0) << "turned " << turn;
    }
}

TEST(MeshRendererCube, EveryAxisViewSeesOneWholeFace) {
    for (unsigned key = '1'; key <= '6'; ++key) {
        Picture p(cube(), static_cast<Command>(static_cast<int>(Command::LookFromAhead) + (key - '1')));
        p.render();
        const Box b = drawnBox(p);
        EXPECT_EQ(b.count, (b.right - b.left + 1) * (b.bottom - b.top + 1)) << "view " << key - '0';
        EXPECT_NEAR(b.left + b.right, side - 1, 2) << "view " << key - '0';
        EXPECT_GT(red(p.buffer.pixel(side / 2, side / 2)), 160) << "view " << key - '0';
    }
}

// A fine grid of shared vertices in front of a large square, seen at a slant: wherever the
// grid covers the picture, no pixel of the square shows through between its triangles.
TEST(MeshRendererCoverage, TrianglesSharingEdgesLeaveNoGaps) {
    MeshModel m;
    m.loads = true;
    MeshGroup grid;
    grid.number = 1;
    constexpr int cells = 37;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            grid.positions.push_back({-1 + 2.0f * i / cells, -1 + 2.0f * j / cells + 0.013f * i / cells, 0.5f});
            grid.normals.push_back({0, 0, 1});
        }
    for (std::uint32_t j = 0; j < cells; ++j)
        for (std::uint32_t i = 0; i < cells; ++i) {
            const std::uint32_t a = j * (cells + 1) + i, b = a + 1, c = a + cells + 1, d = c + 1;
            // Corners run so that (v1 - v0) x (v2 - v0) points along +z; diagonals alternate.
            if ((i + j) % 2) grid.indices.insert(grid.indices.end(), {a, b, d, a, d, c});
            else grid.indices.insert(grid.indices.end(), {a, b, c, b, d, c});
        }
    m.groups.push_back(grid);
    MeshGroup back = squareFacingAhead(2, 0, -0.5f, 0);
    for (Vec3& p : back.positions) p = {p.x * 3, p.y * 3, p.z};
    m.groups.push_back(back);

    for (int turn : {0, 37, -61}) {
        Picture p(m, Command::LookFromAhead, 300, 220);
        p.viewer.press(MeshViewer::Drag::Orbit, 0, 0);
        p.viewer.release(turn, turn / 3, p.buffer);
        p.render();
        // The grid's outline on the screen, and a pixel centre's side of each of its edges.
        const Camera& c = p.viewer.camera();
        float cx[4], cy[4];
        const Vec3 corners[4] = {{-1, -1, 0.5f}, {1, -1 + 0.013f, 0.5f}, {1, 1 + 0.013f, 0.5f}, {-1, 1, 0.5f}};
        for (int k = 0; k < 4; ++k) {
            const Vec3 v = c.toView(p.viewer.geometry().toUnits(corners[k]));
            cx[k] = c.screenX(v), cy[k] = c.screenY(v);
        }
        int inside = 0;
        for (int y = 0; y < 220; ++y)
            for (int x = 0; x < 300; ++x) {
                bool within = true;
                for (int k = 0; k < 4 && within; ++k) {
                    const float ex = cx[(k + 1) % 4] - cx[k], ey = cy[(k + 1) % 4] - cy[k];
                    const float side = (ex * (y + 0.5f - cy[k]) - ey * (x + 0.5f - cx[k])) / std::hypot(ex, ey);
                    within = side > 1.0f;
                }
                if (!within) continue;
                ++inside;
                ASSERT_EQ(p.buffer.groupAt(x, y), 0) << "gap at " << x << "," << y << ", turned " << turn;
            }
        EXPECT_GT(inside, 3000) << "turned " << turn;
    }
}

TEST(MeshRendererDepth, TheNearerFaceHidesTheFartherInEitherOrder) {
    for (bool nearFirst : {true, false}) {
        Picture p(twoSquares(nearFirst), Command::LookFromAhead);
        p.render();
        const int nearGroup = nearFirst ? 0 : 1, farGroup = 1 - nearGroup;
        const std::uint32_t overlap = p.at({0, 0, 1}), nearOnly = p.at({-1.2f, 0, 1}), farOnly = p.at({1.2f, 0, -1});
        EXPECT_GT(red(overlap), 2 * blue(overlap)) << "near first: " << nearFirst;
        EXPECT_GT(red(nearOnly), 2 * blue(nearOnly)) << "near first: " << nearFirst;
        EXPECT_GT(blue(farOnly), 2 * red(farOnly)) << "near first: " << nearFirst;
        EXPECT_EQ(p.groupAt({0, 0, 1}), nearGroup);
        EXPECT_EQ(p.groupAt({1.2f, 0, -1}), farGroup);
    }
}

// A camera between the two squares: the far one fills the view, the near one lies behind
// the camera and is cut away, not drawn mirrored.
TEST(MeshRendererDepth, FacesBehindTheCameraAreCutAway) {
    Picture p(twoSquares(true), Command::LookFromAhead);
    for (int i = 0; i < 40; ++i) p.viewer.wheel(120);
    ASSERT_LT(p.viewer.camera().eye().z, 1) << "the camera did not come past the near square";
    ASSERT_GT(p.viewer.camera().eye().z, -1);
    p.render();
    EXPECT_EQ(p.buffer.groupAt(side / 2, side / 2), 1);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) ASSERT_NE(p.buffer.groupAt(x, y), 0) << x << "," << y;
}

TEST(MeshRendererWireframe, DrawsTheVisibleEdgesOnly) {
    Picture p(cube(), Command::LookFromAhead);
    p.viewer.command(Command::Wireframe);
    p.render();
    const Box b = drawnBox(p);
    const int mid = (b.top + b.bottom) / 2;
    // Across the middle row: the square's outline at both ends, the diagonal of the two
    // triangles once in between, and no edge of the faces behind.
    int runs = 0;
    bool inWire = false;
    for (int x = b.left; x <= b.right; ++x) {
        const bool wire = p.buffer.pixel(x, mid) == ViewColours::wire;
        runs += wire && !inWire;
        inWire = wire;
    }
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(drawnBox(p).count, b.count);
    p.viewer.command(Command::Wireframe);
    p.render();
    EXPECT_EQ(countColour(p, ViewColours::wire), 0);
}

TEST(MeshRendererPick, AClickNamesTheGroupDrawnThere) {
    Picture p(twoSquares(true), Command::LookFromAhead);
    p.render();
    auto clickAt = [&](Vec3 world) {
        const Camera& c = p.viewer.camera();
        const Vec3 v = c.toView(p.viewer.geometry().toUnits(world));
        const int x = static_cast<int>(c.screenX(v)), y = static_cast<int>(c.screenY(v));
        p.viewer.press(MeshViewer::Drag::Orbit, x, y);
        EXPECT_FALSE(p.viewer.release(x + 1, y, p.buffer)) << "a click moved the picture";
        return p.viewer.selectedGroup();
    };
    EXPECT_EQ(clickAt({1.2f, 0, -1}), 1);
    EXPECT_EQ(p.viewer.selection(), "Group 2 (GEOM in line 20), no label, material 2 \"blue\", texture 0 (none)");
    EXPECT_EQ(clickAt({0, 0, 1}), 0);
    EXPECT_EQ(clickAt({0, 3, 0}), -1);
    EXPECT_EQ(p.viewer.selection().rfind("Click a face to name its group.", 0), 0u) << p.viewer.selection();

    // A face shown magenta is named like any other.
    MeshModel reversed = cube(true);
    reversed.groups[0].label = "hull";
    Picture marked(reversed, Command::LookFromAhead);
    marked.render();
    marked.viewer.press(MeshViewer::Drag::Orbit, side / 2, side / 2);
    marked.viewer.release(side / 2, side / 2, marked.buffer);
    EXPECT_EQ(marked.viewer.selection(), "Group 1 (GEOM in line 3), label \"hull\", material 0 (default), texture 0 (none)");
}

TEST(MeshRendererPick, ADragTurnsTheViewAndNamesNothing) {
    Picture p(cube(), Command::LookFromAhead);
    p.render();
    const Vec3 before = p.viewer.camera().eye();
    p.viewer.press(MeshViewer::Drag::Orbit, 100, 100);
    EXPECT_TRUE(p.viewer.moveTo(140, 100));
    EXPECT_TRUE(p.viewer.release(150, 100, p.buffer));
    EXPECT_EQ(p.viewer.selectedGroup(), -1);
    const Vec3 after = p.viewer.camera().eye();
    EXPECT_GT(std::fabs(after.x - before.x), 1) << "the camera did not orbit";

    // Home brings the start view back; a right drag pans without turning.
    p.viewer.command(Command::StartView);
    const Vec3 start = p.viewer.camera().forward();
    p.viewer.press(MeshViewer::Drag::Pan, 100, 100);
    p.viewer.release(160, 100, p.buffer);
    EXPECT_FLOAT_EQ(p.viewer.camera().forward().x, start.x);
    EXPECT_FLOAT_EQ(p.viewer.camera().forward().z, start.z);
}

}  // namespace
