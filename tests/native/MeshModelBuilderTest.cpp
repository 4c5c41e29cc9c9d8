#include <gtest/gtest.h>

#include <cmath>

#include "MeshModelBuilder.h"

namespace {

// What the simulator holds: drawing order after FLIP, a line that is not a vertex as a vertex
// at the origin, normals filled in where a group has none, given normals kept, a group the
// text ends in dropped, materials and textures from the lists.
TEST(MeshModelBuilder, BuildsWhatTheLoaderKeeps) {
    const std::string text =
        "MSHX1\nGROUPS 2\n"
        "LABEL fin\nMATERIAL 2\nFLIP\nNONORMAL\nGEOM 3 1\n0 0 0 0 0\n1 0 0 1 0\n0 1 0 0 1\n0 1 2\n"  // group 1, line 7
        "TEXTURE 1\nGEOM 3 1\n0 0 5 0 0 -1\n-- printed\n1 0 5 0 0 -1\n0 2 1\n"                   // group 2, line 13
        "MATERIALS 2\nhull\nglass\n"
        "MATERIAL hull\n1 0 0 1\n0 0 0 1\n0 0 0 1\n0 0 0 1\n"
        "MATERIAL glass\n0 0 1 0.5\n0 0 0 1\n0 0 0 1\n0 0 0 1\n"
        "TEXTURES 1\nhull.dds D\n";
    // Fed in pieces that split lines anywhere.
    MeshModelBuilder builder;
    for (std::size_t i = 0; i < text.size(); i += 5) builder.feed(text.data() + i, std::min<std::size_t>(5, text.size() - i));
    const MeshModel model = builder.finish();

    ASSERT_TRUE(model.loads);
    ASSERT_EQ(model.groups.size(), 2u);
    const MeshGroup& fin = model.groups[0];
    EXPECT_EQ(fin.number, 1);
    EXPECT_EQ(fin.geomLine, 7u);
    EXPECT_EQ(fin.label, "fin");
    EXPECT_EQ(fin.material, 2);
    EXPECT_EQ(fin.indices, (std::vector<std::uint32_t>{0, 2, 1}));
    // Wound 0 2 1, the triangle faces -z: so do the normals the loader computes.
    for (const Vec3& n : fin.normals) EXPECT_TRUE(n.x == 0 && n.y == 0 && n.z == -1) << n.x << " " << n.y << " " << n.z;
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[1].name, "glass");
    EXPECT_EQ(model.materials[1].diffuse[3], 0.5f);
    ASSERT_EQ(model.textures.size(), 1u);
    EXPECT_EQ(model.textures[0].name, "hull.dds");

    // The printed line is a vertex at the origin; the normals given are kept.
    const MeshGroup& shifted = model.groups[1];
    EXPECT_EQ(shifted.positions[1].x, 0);
    EXPECT_EQ(shifted.positions[1].z, 0);
    EXPECT_EQ(shifted.normals[2].z, -1);
    EXPECT_EQ(shifted.indices, (std::vector<std::uint32_t>{0, 2, 1}));

    // A group the text ends in is dropped.
    EXPECT_EQ(buildMeshModel(text.substr(0, text.find("0 2 1"))).groups.size(), 1u);
    EXPECT_FALSE(buildMeshModel("MSHX1 \nGROUPS 0\n").loads);
}

}  // namespace
