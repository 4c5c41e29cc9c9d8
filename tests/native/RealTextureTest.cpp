// The real textures decode to what an independent decoder (ImageMagick's convert) makes of
// them, level 0, alpha included; DXT rounding differs a little between decoders.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TextureReader.h"

namespace fs = std::filesystem;

namespace {

fs::path textureFolder() { return fs::path(TESSORAN_SOURCE_DIR) / ".." / "shared" / "textures"; }

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

TEST(RealTextures, DecodeAsAnIndependentDecoderDoes) {
    std::vector<fs::path> files;
    if (fs::is_directory(textureFolder()))
        for (const auto& entry : fs::recursive_directory_iterator(textureFolder()))
            if (entry.is_regular_file() && entry.path().extension() != ".md") files.push_back(entry.path());
    if (files.empty()) GTEST_SKIP() << "no real textures at " << textureFolder() << "; skipped";
    if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert not found; skipped";

    const fs::path scratch = fs::temp_directory_path() / ("real-textures-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + std::to_string(std::rand()));
    fs::create_directories(scratch);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.lexically_relative(textureFolder()).string());
        const std::vector<std::uint8_t> bytes = fileBytes(file);
        TextureReadResult result = readTexture(bytes.data(), bytes.size());
        ASSERT_TRUE(result.ok()) << result.reason;
        const Texture& texture = result.texture;
        // Every real file holds a full chain or gets one.
        int sides = 1;
        for (int side = std::max(texture.width, texture.height); side > 1; side /= 2) ++sides;
        EXPECT_EQ(texture.levels.size(), std::size_t(sides));
        EXPECT_EQ(texture.levels.back().width * texture.levels.back().height, 1);

        const fs::path raw = scratch / "level0.rgba";
        ASSERT_EQ(std::system(("convert " + quoted(file) + " -depth 8 rgba:" + quoted(raw)).c_str()), 0);
        const std::vector<std::uint8_t> expected = fileBytes(raw);
        const std::vector<std::uint8_t>& got = texture.levels[0].rgba;
        ASSERT_EQ(got.size(), expected.size()) << texture.width << " x " << texture.height;
        double sum[4] = {};
        int worst[4] = {};
        for (std::size_t k = 0; k < got.size(); ++k) {
            const int difference = std::abs(int(got[k]) - int(expected[k]));
            sum[k % 4] += difference;
            worst[k % 4] = std::max(worst[k % 4], difference);
        }
        const double texels = double(got.size() / 4);
        for (int channel = 0; channel < 4; ++channel) {
            EXPECT_LE(sum[channel] / texels, 2.0) << "mean difference of channel " << "rgba"[channel];
            EXPECT_LE(worst[channel], 8) << "largest difference of channel " << "rgba"[channel];
        }
    }
    fs::remove_all(scratch);
}
