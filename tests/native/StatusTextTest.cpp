// The status line's texts: the size and counts, and what a click names.
#include <gtest/gtest.h>

#include "StatusText.h"
#include "ViewTestMeshes.h"

namespace {

TEST(StatusText, SizeInMetresWithTwoDecimals) {
    EXPECT_EQ(StatusText::size({17.8749f, 4.93f, 18.72f}), "17.87 x 4.93 x 18.72 m");
    EXPECT_EQ(StatusText::size({0, 0.006f, 1234.5f}), "0.00 x 0.01 x 1234.50 m");
}

TEST(StatusText, SummaryCountsWhatTheSimulatorHolds) {
    MeshModel m = ViewTestMeshes::twoSquares(true);
    EXPECT_EQ(StatusText::summary(m, {3, 2, 2}), "3.00 x 2.00 x 2.00 m, 2 groups, 8 vertices, 4 triangles");
    m.groups.resize(1);
    m.groups[0].indices.resize(3);
    m.groups[0].positions.resize(1);
    EXPECT_EQ(StatusText::summary(m, {}), "0.00 x 0.00 x 0.00 m, 1 group, 1 vertex, 1 triangle");
}

// Indices beyond the lists give the default material and no texture in the simulator.
TEST(StatusText, GroupNamesItsLineLabelMaterialAndTexture) {
    MeshModel m = ViewTestMeshes::twoSquares(true);
    m.textures = {{"dg\\hull.dds"}, {"0"}};
    MeshGroup& g = m.groups[0];
    g.label = "wing left";
    g.texture = 1;
    EXPECT_EQ(StatusText::group(m, 0),
              "Group 1 (GEOM in line 10), label \"wing left\", material 1 \"red\", texture 1 \"dg\\hull.dds\"");
    g.material = 3;
    g.texture = 2;
    EXPECT_EQ(StatusText::group(m, 0), "Group 1 (GEOM in line 10), label \"wing left\", material 3 (not in the list: "
                                       "default), texture 2 \"0\" (none)");
    g.texture = 5;
    EXPECT_NE(StatusText::group(m, 0).find("texture 5 (not in the list: none)"), std::string::npos);
    EXPECT_EQ(StatusText::group(m, 7), "");
}

}  // namespace
