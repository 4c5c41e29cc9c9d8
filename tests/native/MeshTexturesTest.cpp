// The textures of a mesh: where they are looked for, what the status line says of those not
// drawn, and that a texture is read again only when its file changed.
#include <gtest/gtest.h>

#include <map>

#include "MeshModelBuilder.h"
#include "MeshTextures.h"

namespace {

// A 1 x 1 BMP of 24 bits: blue, green, red and the row's padding.
std::vector<std::uint8_t> tinyBmp(std::uint8_t red) {
    std::vector<std::uint8_t> b = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                   1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0};
    b.resize(54, 0);
    b.insert(b.end(), {0, 0, red, 0});
    return b;
}

struct FakeFiles : TextureFiles {
    std::map<std::string, std::pair<FileStamp, std::vector<std::uint8_t>>> files;
    mutable int reads = 0;
    void put(const std::string& path, std::vector<std::uint8_t> bytes, std::uint64_t written = 1) {
        files[path] = {{bytes.size(), written}, std::move(bytes)};
    }
    bool stamp(const std::string& path, FileStamp& stamp) const override {
        const auto f = files.find(path);
        if (f == files.end()) return false;
        stamp = f->second.first;
        return true;
    }
    bool read(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) const override {
        ++reads;
        const auto f = files.find(path);
        if (f == files.end() || f->second.second.size() > limit) return false;
        bytes = f->second.second;
        return true;
    }
};

// Three groups using textures 1, 2 and 3 of four (the fourth unused).
MeshModel meshWithTextures() {
    std::string text = "MSHX1\nGROUPS 3\n";
    for (int t = 1; t <= 3; ++t) text += "TEXTURE " + std::to_string(t) + "\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n";
    text += "MATERIALS 0\nTEXTURES 4\nShip\\hull.dds\nShip\\wing.bmp D\nShip\\gone.dds\nunused.dds\n";
    return buildMeshModel(text);
}

const std::string meshPath = "C:\\Sim\\Meshes\\Ship\\ship.msh";

TEST(MeshTextures, LookedForInTextures2ThenTexturesAndNamedWhenNotDrawn) {
    FakeFiles disk;
    disk.put("C:\\Sim\\Textures\\Ship\\hull.dds", tinyBmp(10));   // a BMP named .dds is read by its content
    disk.put("C:\\Sim\\Textures2\\Ship\\hull.dds", tinyBmp(200));
    disk.put("C:\\Sim\\Textures\\Ship\\wing.bmp", {'B', 'M', 1, 2});
    const MeshModel model = meshWithTextures();
    ASSERT_EQ(model.textures.size(), 4u);
    MeshTextures textures;
    const std::vector<TextureSlot> slots = textures.read(meshPath, model, disk);
    ASSERT_EQ(slots.size(), 4u);
    ASSERT_TRUE(slots[0].texture);
    EXPECT_EQ(slots[0].texture->levels[0].rgba[0], 200) << "Textures2 comes first";
    EXPECT_FALSE(slots[1].texture);
    EXPECT_FALSE(slots[1].problem.empty());
    EXPECT_EQ(slots[2].problem, "not found");
    EXPECT_TRUE(slots[3].problem.empty()) << "no group uses it";
    EXPECT_EQ(disk.reads, 2);
    const std::string text = texturesNotDrawn(meshPath, model, slots);
    EXPECT_EQ(text.rfind("2 of 3 textures not drawn: Ship\\wing.bmp ", 0), 0u) << text;

    disk.put("C:\\Sim\\Textures\\Ship\\wing.bmp", tinyBmp(1));
    disk.put("C:\\Sim\\Textures\\Ship\\gone.dds", tinyBmp(1));
    EXPECT_EQ(texturesNotDrawn(meshPath, model, textures.read(meshPath, model, disk)), "");

    const std::string elsewhere = "C:\\Work\\ship.msh";
    const std::vector<TextureSlot> none = textures.read(elsewhere, model, disk);
    EXPECT_FALSE(none[0].texture);
    EXPECT_EQ(texturesNotDrawn(elsewhere, model, none), "saved outside a Meshes folder: no textures");
    EXPECT_EQ(texturesNotDrawn(elsewhere, buildMeshModel("MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n"), none), "")
        << "a mesh without textures lacks nothing";
}

TEST(MeshTextures, ATextureIsReadAgainOnlyWhenItsFileChanged) {
    FakeFiles disk;
    for (const char* name : {"hull.dds", "wing.bmp", "gone.dds"}) disk.put(std::string("C:\\Sim\\Textures\\Ship\\") + name, tinyBmp(9));
    const MeshModel model = meshWithTextures();
    MeshTextures textures;
    const auto first = textures.read(meshPath, model, disk);
    EXPECT_EQ(disk.reads, 3);
    const auto second = textures.read(meshPath, model, disk);
    EXPECT_EQ(disk.reads, 3) << "unchanged files are kept";
    EXPECT_EQ(second[0].texture, first[0].texture);

    disk.put("C:\\Sim\\Textures\\Ship\\hull.dds", tinyBmp(99), 2);
    const auto third = textures.read(meshPath, model, disk);
    EXPECT_EQ(disk.reads, 4);
    EXPECT_EQ(third[0].texture->levels[0].rgba[0], 99);

    // Only the last mesh's textures are kept.
    textures.read(meshPath, buildMeshModel("MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n"), disk);
    textures.read(meshPath, model, disk);
    EXPECT_EQ(disk.reads, 7);
}

}  // namespace
