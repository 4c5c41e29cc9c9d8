// The simulator's look: textures the right way up, transparency in file order, and the FLAG
// bits; plain colours with textures off.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MeshViewer.h"
#include "ViewColours.h"

namespace {

using Command = MeshViewer::Command;

constexpr std::uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;

// A texture of 2 x 2 texels (no mip levels beyond), r g b a from the top row down.
struct Quarters {
    Texture texture;
    explicit Quarters(const std::uint32_t (&colour)[4], const std::uint8_t (&alpha)[4] = {255, 255, 255, 255}) {
        std::vector<std::uint8_t> texels;
        for (int i = 0; i < 4; ++i)
            texels.insert(texels.end(), {static_cast<std::uint8_t>(colour[i] >> 16), static_cast<std::uint8_t>(colour[i] >> 8),
                                         static_cast<std::uint8_t>(colour[i]), alpha[i]});
        texture.width = texture.height = 2;
        texture.levels.push_back({2, 2, texels});
    }
};

// A square facing a camera ahead (+z), 2 m wide at depth z, its texture's top left corner
// (u 0, v 0) at the picture's top left: from ahead, +x is on the left.
MeshGroup square(float z, int material, int texture, std::uint32_t flags = 0, float half = 1) {
    MeshGroup g;
    g.geomLine = 3;
    g.material = material;
    g.texture = texture;
    g.flags = flags;
    g.positions = {{half, half, z}, {-half, half, z}, {-half, -half, z}, {half, -half, z}};
    g.normals.assign(4, Vec3{0, 0, 1});
    g.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    g.indices = {0, 1, 2, 0, 2, 3};
    return g;
}

MeshMaterial glass(float alpha) {
    MeshMaterial m;
    m.name = "glass";
    m.diffuse[0] = m.diffuse[1] = m.diffuse[2] = 1;
    m.diffuse[3] = alpha;
    return m;
}

struct View {
    MeshViewer viewer;
    FrameBuffer buffer;
    View(MeshModel model, std::vector<const Texture*> textures) {
        model.loads = true;
        for (std::size_t i = 0; i < model.groups.size(); ++i) model.groups[i].number = static_cast<int>(i) + 1;
        model.textures.resize(textures.size(), MeshTexture{"t.dds"});
        viewer.show(std::move(model));
        viewer.setTextures(std::move(textures), "");
        viewer.resize(100, 100);
        buffer.resize(100, 100);
        viewer.command(Command::LookFromAhead);
        draw();
    }
    void draw() { viewer.render(buffer); }
    // The pixel where a point of the mesh's z = 0 plane lands (x to the left from ahead).
    std::uint32_t at(float x, float y) const {
        const Camera& c = viewer.camera();
        const Vec3 v = c.toView(viewer.geometry().toUnits({x, y, 0}));
        return buffer.pixel(static_cast<int>(c.screenX(v)), static_cast<int>(c.screenY(v)));
    }
};

// Within a few steps per channel: the pixel centres do not fall on the texel centres.
::testing::AssertionResult near(std::uint32_t actual, std::uint32_t expected) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>(actual >> shift & 0xFF), e = static_cast<int>(expected >> shift & 0xFF);
        if (a - e > 4 || e - a > 4) return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
    }
    return ::testing::AssertionSuccess();
}

MeshModel oneSquare(MeshGroup g) {
    MeshModel m;
    m.groups.push_back(g);
    return m;
}

TEST(TexturedView, AQuadShowsItsTextureUprightAndUnmirrored) {
    const Quarters quarters({red, green, blue, white});
    View v(oneSquare(square(0, 0, 1)), {&quarters.texture});
    EXPECT_TRUE(near(v.at(0.5f, 0.5f), red)) << "top left";
    EXPECT_TRUE(near(v.at(-0.5f, 0.5f), green)) << "top right";
    EXPECT_TRUE(near(v.at(0.5f, -0.5f), blue)) << "bottom left";
    EXPECT_TRUE(near(v.at(-0.5f, -0.5f), white)) << "bottom right";
    // Between two texels it blends them (bilinear); with textures off, plain colours.
    const std::uint32_t middleTop = v.at(0, 0.5f);
    EXPECT_GT(middleTop >> 16 & 0xFF, 60u);
    EXPECT_GT(middleTop >> 8 & 0xFF, 60u);
    v.viewer.command(Command::Textures);
    v.draw();
    EXPECT_EQ(v.at(0.5f, 0.5f), v.at(-0.5f, -0.5f));
    EXPECT_EQ(v.at(0.5f, 0.5f) >> 16 & 0xFF, v.at(0.5f, 0.5f) & 0xFF) << "grey, the default material";
}

// Every group is blended over what was drawn before it and writes its depth: glass drawn
// before the hull behind it hides the hull, glass drawn after lets it show through.
TEST(TexturedView, TransparencyFollowsTheFileOrder) {
    const std::uint32_t colour[4] = {red, red, red, red};
    const Quarters hullTexture(colour);
    MeshModel glassFirst;
    glassFirst.materials = {glass(0.25f)};
    glassFirst.groups = {square(1, 1, 0, 0, 0.5f), square(0, 0, 1)};
    View first(glassFirst, {&hullTexture.texture});
    MeshModel glassLast = glassFirst;
    std::swap(glassLast.groups[0], glassLast.groups[1]);
    View last(glassLast, {&hullTexture.texture});

    const std::uint32_t throughFirst = first.at(0, 0), throughLast = last.at(0, 0);
    EXPECT_LT(throughFirst >> 16 & 0xFF, 128u) << "the hull shows through glass drawn before it";
    EXPECT_GT(throughLast >> 16 & 0xFF, 150u) << "the hull does not show through glass drawn after it";
    EXPECT_GT(throughLast & 0xFF, 30u) << "the glass is not seen over the hull";
    EXPECT_EQ(first.at(0.8f, 0.8f), red);
    EXPECT_EQ(last.at(0.8f, 0.8f), red);
}

TEST(TexturedView, FlagBitsChangeThePicture) {
    const std::uint8_t halfClear[4] = {255, 0, 255, 100};
    const Quarters quarters({red, green, blue, white}, halfClear);
    MeshModel m;
    MeshMaterial dim;
    dim.name = "dim";
    dim.diffuse[0] = dim.diffuse[1] = dim.diffuse[2] = 0.5f;
    dim.diffuse[3] = 1;
    dim.emissive[0] = 0.25f;
    dim.ambient[0] = 1;  // lit at the ambient level: 0.1
    m.materials = {dim};
    // Behind the square a blue one, drawn after it: where the front one draws nothing
    // (no colour and no depth), the blue one shows.
    const MeshGroup behind = square(-1, 0, 0);
    auto view = [&](std::uint32_t flags) {
        MeshModel model = m;
        model.groups = {square(0, 1, 1, flags), behind};
        model.materials.push_back(MeshMaterial{"blue"});
        model.materials.back().diffuse[0] = model.materials.back().diffuse[1] = 0;
        model.groups[1].material = 2;
        return View(model, {&quarters.texture});
    };
    const View plain = view(0);
    EXPECT_TRUE(near(plain.at(0.5f, 0.5f), 0xD80000u)) << "texture x (diffuse x N.L + ambient + emissive)";

    const View hidden = view(0x02);
    EXPECT_EQ(hidden.at(0.5f, 0.5f), blue) << "never drawn: the blue square behind shows";

    const View unlit = view(0x04);
    EXPECT_TRUE(near(unlit.at(0.5f, 0.5f), 0xBF0000u)) << "texture x (diffuse + emissive)";

    const View whiteTexture = view(0x10);
    EXPECT_TRUE(near(whiteTexture.at(0.5f, 0.5f), 0xD87F7Fu)) << "the texture's colour white";

    // The top right texel is clear: with the test it draws nothing, without it the square
    // writes its depth there and hides the blue one behind.
    const View tested = view(0x20);
    EXPECT_EQ(tested.at(-0.7f, 0.7f), blue);
    EXPECT_NE(plain.at(-0.7f, 0.7f), blue) << "clear but still in front";
}

// The highlight is added after the texture, not multiplied by it; below a power of 0.1 there
// is none.
TEST(TexturedView, AHighlightIsAddedAfterTheTexture) {
    const std::uint32_t colour[4] = {red, red, red, red};
    const Quarters texture(colour);
    auto centre = [&](float power) {
        MeshMaterial shiny;
        shiny.name = "shiny";
        shiny.diffuse[0] = shiny.diffuse[1] = shiny.diffuse[2] = 0;
        shiny.diffuse[3] = 1;
        shiny.specular[0] = shiny.specular[1] = shiny.specular[2] = 0.5f;
        shiny.power = power;
        MeshModel m = oneSquare(square(0, 1, 1));
        m.materials = {shiny};
        return View(m, {&texture.texture}).at(0, 0);
    };
    EXPECT_TRUE(near(centre(5), 0x7F7F7Fu)) << "half white over black: the light falls straight on it";
    EXPECT_EQ(centre(0.05f), 0u);
}

}  // namespace
