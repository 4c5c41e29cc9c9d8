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

// Texture coordinates where the line has them (after the normal, or right after the position
// with NONORMAL), 0 where not; FLAG in hexadecimal; every colour of a material and the
// specular power; the D flag; a group without MATERIAL or TEXTURE keeps the previous group's.
TEST(MeshModelBuilder, KeepsWhatDrawingNeeds) {
    const MeshModel model = buildMeshModel(
        "MSHX1\nGROUPS 3\n"
        "MATERIAL 2\nTEXTURE 1\nFLAG 1A\nGEOM 3 1\n0 0 0 0 0 -1 0.25 0.75\n1 0 0 0 0 -1 1\n0 1 0 0 0 -1\n0 1 2\n"
        "NONORMAL\nFLAG 0x10\nGEOM 3 1\n0 0 1 0.5 0.125\n1 0 1\n0 1 1 2\n0 1 2\n"
        "TEXTURE 2\nGEOM 3 1\n0 0 2\n1 0 2\n0 1 2\n0 1 2\n"
        "MATERIALS 2\nhull\nglass\n"
        "MATERIAL hull\n1 0 0 1\n0 0 0 1\n0 0 0 1\n0 0 0 1\n"
        "MATERIAL glass\n0.1 0.2 0.3 0.4\n0.5 0.6 0.7 0.8\n0.9 1 1.1 1.2 20\n1.3 1.4 1.5 1.6\n"
        "TEXTURES 2\nhull.dds\t D\nDG\\glass.dds\n");
    ASSERT_EQ(model.groups.size(), 3u);
    const MeshGroup& first = model.groups[0];
    ASSERT_EQ(first.texCoords.size(), 3u);
    EXPECT_EQ(first.texCoords[0].u, 0.25f);
    EXPECT_EQ(first.texCoords[0].v, 0.75f);
    EXPECT_EQ(first.texCoords[1].u, 1.0f);
    EXPECT_EQ(first.texCoords[1].v, 0.0f);
    EXPECT_EQ(first.texCoords[2].u, 0.0f);
    EXPECT_EQ(first.flags, 0x1Au);
    const MeshGroup& second = model.groups[1];
    EXPECT_EQ(second.texCoords[0].u, 0.5f);
    EXPECT_EQ(second.texCoords[0].v, 0.125f);
    EXPECT_EQ(second.texCoords[2].u, 2.0f);
    EXPECT_EQ(second.texCoords[2].v, 0.0f);
    EXPECT_EQ(second.flags, 0x10u);
    EXPECT_EQ(model.groups[2].flags, 0u);  // FLAG is not inherited
    // MATERIAL and TEXTURE are.
    EXPECT_EQ(second.material, 2);
    EXPECT_EQ(second.texture, 1);
    EXPECT_EQ(model.groups[2].material, 2);
    EXPECT_EQ(model.groups[2].texture, 2);

    ASSERT_EQ(model.materials.size(), 2u);
    const MeshMaterial& glass = model.materials[1];
    const float expected[4][4] = {{0.1f, 0.2f, 0.3f, 0.4f}, {0.5f, 0.6f, 0.7f, 0.8f}, {0.9f, 1, 1.1f, 1.2f}, {1.3f, 1.4f, 1.5f, 1.6f}};
    const float* colours[4] = {glass.diffuse, glass.ambient, glass.specular, glass.emissive};
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(colours[c][i], expected[c][i]) << "colour " << c << " channel " << i;
    EXPECT_EQ(glass.power, 20.0f);
    EXPECT_EQ(model.materials[0].power, 0.0f);  // no fifth number
    ASSERT_EQ(model.textures.size(), 2u);
    EXPECT_EQ(model.textures[0].name, "hull.dds");
    EXPECT_TRUE(model.textures[0].dynamic);
    EXPECT_EQ(model.textures[1].name, "DG\\glass.dds");
    EXPECT_FALSE(model.textures[1].dynamic);
}

}  // namespace
