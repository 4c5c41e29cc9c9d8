// The texture readers on files built here: each format's texels, mip levels, and bad input,
// which gets a reason and never a crash.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include <stb/stb_image_write.h>

#include "TextureFiles.h"
#include "TextureReader.h"

namespace {

using Rgba = std::array<int, 4>;

Rgba texelAt(const TextureLevel& level, int x, int y) {
    const std::uint8_t* t = level.texel(x, y);
    return {t[0], t[1], t[2], t[3]};
}

Texture readOk(const Bytes& file, TextureFlag flag = TextureFlag::None) {
    TextureReadResult result = readTexture(file.data(), file.size(), flag);
    EXPECT_TRUE(result.ok()) << result.reason;
    return result.texture;
}

std::string reasonFor(const Bytes& file) {
    TextureReadResult result = readTexture(file.data(), file.size());
    EXPECT_TRUE(result.texture.levels.empty());
    return result.reason;
}

// A DXT1 block: two 5:6:5 colours, then the 2-bit indices, texel 0 in the lowest bits.
Bytes dxt1Block(std::uint16_t c0, std::uint16_t c1, std::uint32_t indices) {
    Bytes b;
    append16(b, c0);
    append16(b, c1);
    append32(b, indices);
    return b;
}

constexpr std::uint16_t kRed = 0xf800, kGreen = 0x07e0, kBlue = 0x001f, kWhite = 0xffff;
constexpr std::uint32_t kIndices0123 = 0xe4;  // row 0: indices 0, 1, 2, 3; other rows 0

Bytes pngFile(int width, int height, const Bytes& rgba) {
    Bytes out;
    stbi_write_png_to_func([](void* context, void* data, int size) {
        auto* bytes = static_cast<std::uint8_t*>(data);
        static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + size);
    }, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

Bytes jpegFile(int width, int height, const Bytes& rgb) {
    Bytes out;
    stbi_write_jpg_to_func([](void* context, void* data, int size) {
        auto* bytes = static_cast<std::uint8_t*>(data);
        static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + size);
    }, &out, width, height, 3, rgb.data(), 95);
    return out;
}

}  // namespace

TEST(DdsDxt, Dxt1FourColoursThreeColoursAndTheTransparentIndex) {
    // First colour above the second: four opaque colours, two of them between.
    Texture four = readOk(ddsFile(4, 4, dxt("DXT1"), dxt1Block(kRed, kBlue, kIndices0123)));
    EXPECT_EQ(texelAt(four.levels[0], 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(texelAt(four.levels[0], 1, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(texelAt(four.levels[0], 2, 0), (Rgba{170, 0, 85, 255}));
    EXPECT_EQ(texelAt(four.levels[0], 3, 0), (Rgba{85, 0, 170, 255}));
    EXPECT_EQ(texelAt(four.levels[0], 3, 3), (Rgba{255, 0, 0, 255}));

    // First colour at most the second: three colours and transparent black.
    Texture three = readOk(ddsFile(4, 4, dxt("DXT1"), dxt1Block(kBlue, kRed, kIndices0123)));
    EXPECT_EQ(texelAt(three.levels[0], 2, 0), (Rgba{127, 0, 127, 255}));
    EXPECT_EQ(texelAt(three.levels[0], 3, 0), (Rgba{0, 0, 0, 0}));
    Texture equal = readOk(ddsFile(4, 4, dxt("DXT1"), dxt1Block(kWhite, kWhite, kIndices0123)));
    EXPECT_EQ(texelAt(equal.levels[0], 3, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(texelAt(equal.levels[0], 0, 0), (Rgba{255, 255, 255, 255}));

    // A D texture drops DXT alpha: the transparent index is opaque black, and no chain is made.
    Texture opaque = readOk(ddsFile(4, 4, dxt("DXT1"), dxt1Block(kBlue, kRed, kIndices0123)), TextureFlag::D);
    EXPECT_EQ(texelAt(opaque.levels[0], 3, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(opaque.levels.size(), 1u);
}

TEST(DdsDxt, Dxt3AndDxt5AlphaWithFourColourBlocks) {
    // DXT3: 4-bit alphas (0, 15, 8, 1); the colour block has four colours even though its
    // first colour is below its second.
    Bytes dxt3 = {0xf0, 0x18, 0, 0, 0, 0, 0, 0};
    Bytes colours = dxt1Block(kBlue, kRed, kIndices0123);
    dxt3.insert(dxt3.end(), colours.begin(), colours.end());
    Texture t3 = readOk(ddsFile(4, 4, dxt("DXT3"), dxt3));
    EXPECT_EQ(texelAt(t3.levels[0], 0, 0), (Rgba{0, 0, 255, 0}));
    EXPECT_EQ(texelAt(t3.levels[0], 1, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(texelAt(t3.levels[0], 2, 0), (Rgba{85, 0, 170, 136}));
    EXPECT_EQ(texelAt(t3.levels[0], 3, 0), (Rgba{170, 0, 85, 17}));

    // DXT5, two blocks side by side: alphas 200 > 100 (eight steps), then 100 < 200 (six steps
    // and 0, 255). Indices of the first: 0, 1, 2, 7; of the second: 6, 7, 2.
    Bytes dxt5 = {200, 100, 0x88, 0x0e, 0, 0, 0, 0};
    Bytes white = dxt1Block(kWhite, 0, 0);
    dxt5.insert(dxt5.end(), white.begin(), white.end());
    Bytes second = {100, 200, 0xbe, 0, 0, 0, 0, 0};
    dxt5.insert(dxt5.end(), second.begin(), second.end());
    dxt5.insert(dxt5.end(), white.begin(), white.end());
    Texture t5 = readOk(ddsFile(8, 4, dxt("DXT5"), dxt5));
    const int expected[7] = {200, 100, 185, 114, 0, 255, 120};
    const int at[7] = {0, 1, 2, 3, 4, 5, 6};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(texelAt(t5.levels[0], at[k], 0)[3], expected[k]) << "texel " << at[k];
    EXPECT_EQ(texelAt(t5.levels[0], 7, 3)[3], 100);  // index 0 of the second block
    Texture d5 = readOk(ddsFile(8, 4, dxt("DXT5"), dxt5), TextureFlag::D);
    EXPECT_EQ(texelAt(d5.levels[0], 4, 0), (Rgba{255, 255, 255, 255}));
}

TEST(DdsDxt, BlocksAtTheEdgesOfASideNotAMultipleOfFour) {
    Bytes blocks;
    for (std::uint16_t c : {kRed, kGreen, kBlue, kWhite}) {
        Bytes b = dxt1Block(c, 0, 0);
        blocks.insert(blocks.end(), b.begin(), b.end());
    }
    Texture t = readOk(ddsFile(5, 6, dxt("DXT1"), blocks));
    ASSERT_EQ(t.levels[0].rgba.size(), 5u * 6 * 4);
    EXPECT_EQ(texelAt(t.levels[0], 3, 3), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(texelAt(t.levels[0], 4, 0), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(texelAt(t.levels[0], 0, 5), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(texelAt(t.levels[0], 4, 5), (Rgba{255, 255, 255, 255}));
}

TEST(DdsMasked, EveryUncompressedFormatByItsMasks) {
    struct Case {
        const char* name;
        DdsFormat format;
        Bytes twoTexels;
        Rgba first, second;
    };
    const Case cases[] = {
        {"A8R8G8B8", kA8R8G8B8, {0x33, 0x22, 0x11, 0x80, 0, 0, 0xff, 0}, {0x11, 0x22, 0x33, 0x80}, {0xff, 0, 0, 0}},
        {"X8R8G8B8", kX8R8G8B8, {0x33, 0x22, 0x11, 0x80, 0xff, 0, 0, 0}, {0x11, 0x22, 0x33, 255}, {0, 0, 0xff, 255}},
        {"R8G8B8", kR8G8B8, {0x33, 0x22, 0x11, 0, 0xff, 0}, {0x11, 0x22, 0x33, 255}, {0, 0xff, 0, 255}},
        {"A4R4G4B4", kA4R4G4B4, {0x40, 0x8f, 0x0f, 0x00}, {255, 68, 0, 136}, {0, 0, 255, 0}},
        {"R5G6B5", kR5G6B5, {0x01, 0xfc, 0xe0, 0x07}, {255, 130, 8, 255}, {0, 255, 0, 255}},
        {"A1R5G5B5", kA1R5G5B5, {0x1f, 0xc0, 0x00, 0x7c}, {132, 0, 255, 255}, {255, 0, 0, 0}},
        {"L8", kL8, {0x40, 0xff}, {64, 64, 64, 255}, {255, 255, 255, 255}},
        {"A8", kA8, {0x40, 0xff}, {0, 0, 0, 64}, {0, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        Texture t = readOk(ddsFile(2, 1, c.format, c.twoTexels));
        ASSERT_EQ(t.levels.size(), 2u) << c.name;
        EXPECT_EQ(texelAt(t.levels[0], 0, 0), c.first) << c.name;
        EXPECT_EQ(texelAt(t.levels[0], 1, 0), c.second) << c.name;
    }
}

TEST(DdsMipLevels, TheFilesOwnLevelsOrAChainMadeWhenItHoldsNone) {
    // 4 x 4, 2 x 2 and 1 x 1 of A8R8G8B8: level 0 white, the file's level 1 grey 0x10 and
    // level 2 0x20, unlike what a box filter makes of white.
    Bytes data(16 * 4, 0xff);
    data.insert(data.end(), 4 * 4, 0x10);
    data.insert(data.end(), 4, 0x20);
    Texture own = readOk(ddsFile(4, 4, kA8R8G8B8, data, 3));
    ASSERT_EQ(own.levels.size(), 3u);
    EXPECT_EQ(own.levels[1].width, 2);
    EXPECT_EQ(texelAt(own.levels[1], 1, 1), (Rgba{0x10, 0x10, 0x10, 0x10}));
    EXPECT_EQ(texelAt(own.levels[2], 0, 0), (Rgba{0x20, 0x20, 0x20, 0x20}));
    EXPECT_EQ(readOk(ddsFile(4, 4, kA8R8G8B8, data, 3), TextureFlag::D).levels.size(), 3u);

    // A mip count of 0 or 1 means no levels: the chain is made from level 0.
    for (std::uint32_t count : {0u, 1u}) {
        Texture made = readOk(ddsFile(4, 4, kA8R8G8B8, data, count));
        ASSERT_EQ(made.levels.size(), 3u) << count;
        EXPECT_EQ(texelAt(made.levels[1], 1, 1), (Rgba{255, 255, 255, 255})) << count;
        EXPECT_EQ(readOk(ddsFile(4, 4, kA8R8G8B8, data, count), TextureFlag::D).levels.size(), 1u);
    }
}

TEST(MipChain, BoxFilteredHalvesDownToOneByOne) {
    // 4 x 2: red 0 10 20 31 over 100 110 120 131; green, blue and alpha steady.
    Bytes data;
    for (int r : {0, 10, 20, 31, 100, 110, 120, 131}) append(data, {60, 40, unsigned(r), 255});
    Texture t = readOk(ddsFile(4, 2, kA8R8G8B8, data));
    ASSERT_EQ(t.levels.size(), 3u);
    EXPECT_EQ(t.levels[1].width, 2);
    EXPECT_EQ(t.levels[1].height, 1);
    EXPECT_EQ(t.levels[2].width, 1);
    EXPECT_EQ(t.levels[2].height, 1);
    EXPECT_EQ(texelAt(t.levels[1], 0, 0), (Rgba{55, 40, 60, 255}));
    EXPECT_EQ(texelAt(t.levels[1], 1, 0), (Rgba{76, 40, 60, 255}));  // 75.5 rounded up
    EXPECT_EQ(texelAt(t.levels[2], 0, 0), (Rgba{66, 40, 60, 255}));
    EXPECT_EQ(t.bytes(), (8u + 2 + 1) * 4);
}

TEST(Bmp, RowsBottomUpOrTopDownPaddedToFourBytes) {
    // 3 x 2 texels, 24 bits: rows of 9 bytes padded to 12, blue green red.
    const Bytes top = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}, bottom = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0};
    Bytes bottomUp = bottom, topDown = top;
    bottomUp.insert(bottomUp.end(), top.begin(), top.end());
    topDown.insert(topDown.end(), bottom.begin(), bottom.end());
    for (const Bytes& file : {bmpFile(3, 2, 24, bottomUp), bmpFile(3, -2, 24, topDown)}) {
        Texture t = readOk(file);
        ASSERT_EQ(t.width, 3);
        ASSERT_EQ(t.height, 2);
        EXPECT_EQ(texelAt(t.levels[0], 0, 0), (Rgba{1, 2, 3, 255}));
        EXPECT_EQ(texelAt(t.levels[0], 2, 0), (Rgba{7, 8, 9, 255}));
        EXPECT_EQ(texelAt(t.levels[0], 2, 1), (Rgba{16, 17, 18, 255}));
    }
}

TEST(Bmp, ThirtyTwoBitsPlainOrWithBitFields) {
    // Plain: the fourth byte is unused.
    Texture plain = readOk(bmpFile(1, 1, 32, {3, 2, 1, 0x40}));
    EXPECT_EQ(texelAt(plain.levels[0], 0, 0), (Rgba{1, 2, 3, 255}));
    // Bit fields with alpha, red in the low byte.
    Texture fields = readOk(bmpFile(1, 1, 32, {3, 2, 1, 0x40}, {0xff, 0xff00, 0xff0000, 0xff000000}));
    EXPECT_EQ(texelAt(fields.levels[0], 0, 0), (Rgba{3, 2, 1, 0x40}));
    // Three bit fields after a 40-byte header: no alpha.
    Texture noAlpha = readOk(bmpFile(1, 1, 32, {3, 2, 1, 0x40}, {0xff0000, 0xff00, 0xff}));
    EXPECT_EQ(texelAt(noAlpha.levels[0], 0, 0), (Rgba{1, 2, 3, 255}));
}

TEST(PngAndJpeg, ReadByTheirDecoder) {
    const Bytes rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 40};
    Texture png = readOk(pngFile(2, 2, rgba));
    ASSERT_EQ(png.levels.size(), 2u);
    EXPECT_EQ(png.levels[0].rgba, rgba);

    Bytes rgb;
    for (int k = 0; k < 16 * 16; ++k) append(rgb, {200, 100, 50});
    Texture jpeg = readOk(jpegFile(16, 16, rgb));
    ASSERT_EQ(jpeg.width, 16);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(texelAt(jpeg.levels[0], 7, 9)[k], (Rgba{200, 100, 50, 255})[k], 3);
}

TEST(BadTextures, AReasonAndNoTexture) {
    auto withCaps2 = [](Bytes file, std::uint32_t caps2) {
        put32(file, 112, caps2);
        return file;
    };
    // A PNG's header alone (no CRCs needed): 8192 x 8192 RGBA, or a side over the limit.
    auto pngHeader = [](std::uint32_t width, std::uint32_t height) {
        Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        append(b, {width >> 24, width >> 16 & 255, width >> 8 & 255, width & 255});
        append(b, {height >> 24, height >> 16 & 255, height >> 8 & 255, height & 255});
        append(b, {8, 6, 0, 0, 0, 0, 0, 0, 0});
        return b;
    };
    // A JPEG's start and frame header: 8192 x 8192, one component.
    const Bytes jpegHeader = {0xff, 0xd8, 0xff, 0xc0, 0, 11, 8, 0x20, 0, 0x20, 0, 1, 1, 0x11, 0};
    Bytes emptyImageData = pngHeader(8, 8);
    append(emptyImageData, {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0, 0, 0, 0, 0, 0, 0, 0, 'I', 'E', 'N', 'D', 0, 0, 0, 0});
    Bytes longChunk = pngHeader(8, 8);
    append(longChunk, {0x77, 0, 0, 0x3e, 'I', 'D', 'A', 'T', 0x78, 0x5e, 0x63, 0x64});
    Bytes bmp = bmpFile(2, 2, 24, Bytes(16, 0));
    Bytes bmpBadOffset = bmp, bmpOffsetInHeader = bmp;
    put32(bmpBadOffset, 10, 5000);
    put32(bmpOffsetInHeader, 10, 20);
    Bytes bmp8 = bmp;
    put16(bmp8, 28, 8);
    Bytes bmpRle = bmp;
    put32(bmpRle, 30, 1);
    Bytes rgb12 = ddsFile(2, 2, {0x40, "", 12, 0xf00, 0xf0, 0xf, 0}, Bytes(16, 0));

    const struct {
        const char* what;
        Bytes file;
        std::string reason;
    } cases[] = {
        {"empty", {}, "texture file is empty"},
        {"unknown", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, "texture file of unknown format (neither DDS, BMP, PNG nor JPEG)"},
        {"short header", {'D', 'D', 'S', ' ', 124, 0}, "DDS file too short: 6 bytes, its header alone needs 128"},
        {"short data", ddsFile(256, 256, dxt("DXT1"), Bytes(128, 0)),
         "DDS file too short: 128 bytes of data for a 256 x 256 DXT1 image need 32768"},
        {"huge", ddsFile(100000, 100000, dxt("DXT1"), {}),
         "DDS image of 100000 x 100000 texels not read: a side is over 8192"},
        {"over 8192", ddsFile(8193, 1, kL8, Bytes(8193, 0)), "DDS image of 8193 x 1 texels not read: a side is over 8192"},
        {"zero side", ddsFile(0, 16, kL8, {}), "DDS image of 0 x 16 texels not read: a side is zero or negative"},
        {"mips past data", ddsFile(4, 4, kA8R8G8B8, Bytes(64, 0), 3),
         "DDS file too short: 64 bytes of data for a 4 x 4 A8R8G8B8 image with 3 mip levels need 84"},
        {"mips past chain", ddsFile(4, 4, kA8R8G8B8, Bytes(200, 0), 4),
         "DDS header counts 4 mip levels; a 4 x 4 image has at most 3"},
        {"fourcc", ddsFile(4, 4, dxt("ATI2"), Bytes(16, 0)),
         "DDS pixel format 'ATI2' not read (DXT1, DXT3, DXT5 and uncompressed only)"},
        {"12 bits", rgb12, "DDS pixel format of 12 bits a texel not read (8, 16, 24 or 32 only)"},
        {"cube map", withCaps2(ddsFile(4, 4, dxt("DXT1"), Bytes(48, 0)), 0xfe00), "DDS cube map not read (flat textures only)"},
        {"bmp offset", bmpBadOffset, "BMP pixel data offset 5000 lies outside 54..70 (after the headers, within the file)"},
        {"bmp offset in header", bmpOffsetInHeader,
         "BMP pixel data offset 20 lies outside 54..70 (after the headers, within the file)"},
        {"bmp short", bmpFile(4, 4, 24, Bytes(40, 0)), "BMP file too short: 40 bytes of pixel data for a 4 x 4 24-bit image need 48"},
        {"bmp 8 bits", bmp8, "BMP of 8 bits a texel not read (24 and 32 only)"},
        {"bmp rle", bmpRle, "BMP compression 1 not read (uncompressed, and bit fields at 32 bits, only)"},
        {"bmp width", bmpFile(-2, 2, 24, Bytes(16, 0)), "BMP image of -2 x 2 texels not read: a side is zero or negative"},
        {"png side", pngHeader(9000, 1), "PNG image of 9000 x 1 texels not read: a side is over 8192"},
        {"png small", pngHeader(8192, 8192), "PNG file too short: 33 bytes for a 8192 x 8192 image need at least 260119"},
        {"jpeg small", jpegHeader, "JPEG file too short: 15 bytes for a 8192 x 8192 image need at least 131072"},
        // Found by fuzzing: a Huffman table past the decoder's 256 codes made it write past
        // them; an empty first IDAT made it copy to a null pointer; a chunk claiming 2 GB made it
        // allocate them.
        {"jpeg table", {0xff, 0xd8, 0xff, 0xc4, 0, 0x16, 1, 0xff, 0xff},
         "JPEG file not read: a Huffman table of 510 codes (256 at most)"},
        {"png empty idat", emptyImageData, "PNG file not read: its first image data chunk is empty"},
        {"png long chunk", longChunk,
         "PNG file not read: a chunk of 1996488766 bytes at byte 33 runs past the end of the file (45 bytes)"},
    };
    for (const auto& c : cases) EXPECT_EQ(reasonFor(c.file), c.reason) << c.what;

    Bytes junkPng = pngFile(2, 2, Bytes(16, 7));
    for (std::size_t k = 33; k < junkPng.size(); ++k) junkPng[k] ^= 0x5a;
    EXPECT_EQ(reasonFor(junkPng).rfind("PNG file not read: ", 0), 0u) << reasonFor(junkPng);
}

// Found by fuzzing: a JPEG scan that names Huffman tables the file never defines had the
// decoder read left-over memory as tables and index far outside them. The tables are zeros
// now: every block decodes as zero coefficients, mid grey.
TEST(BadTextures, AJpegScanWithUndefinedTablesDecodesAsGrey) {
    Bytes jpeg = {0xff, 0xd8, 0xff, 0xdb, 0, 0x43, 0};
    jpeg.insert(jpeg.end(), 64, 1);
    append(jpeg, {0xff, 0xc0, 0, 11, 8, 0, 8, 0, 8, 1, 1, 0x11, 0});  // 8 x 8, one component
    append(jpeg, {0xff, 0xda, 0, 8, 1, 1, 0, 0, 0x3f, 0});             // its scan, tables 0
    append(jpeg, {0x12, 0x34, 0x56, 0x78, 0xff, 0xd9});
    // Memory the decoder may be given next, left full of bytes that are no table.
    for (std::size_t size = 8192; size <= 65536; size *= 2) {
        std::unique_ptr<std::uint8_t[]> used(new std::uint8_t[size]);
        std::memset(used.get(), 0xbe, size);
    }
    Texture grey = readOk(jpeg);
    ASSERT_EQ(grey.levels[0].rgba.size(), 8u * 8 * 4);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(texelAt(grey.levels[0], x, y), (Rgba{128, 128, 128, 255}));
}

TEST(BadTextures, EveryCutOfAGoodFileIsRefusedOrRead) {
    Bytes mipped(16 * 4 + 4 * 4 + 4, 0x55);
    Bytes bmpRows(4 * 12, 0x33);
    const Bytes whole[] = {ddsFile(16, 16, dxt("DXT5"), Bytes(256 + 64 + 16 + 16 + 16, 0xa5), 5),
                           ddsFile(4, 4, kA8R8G8B8, mipped, 3), bmpFile(3, 4, 32, bmpRows)};
    for (const Bytes& file : whole) {
        ASSERT_TRUE(readTexture(file.data(), file.size()).ok());
        for (std::size_t cut = 0; cut < file.size(); ++cut) {
            TextureReadResult result = readTexture(file.data(), cut);
            EXPECT_FALSE(result.ok()) << cut << " of " << file.size() << " bytes";
            EXPECT_TRUE(result.texture.levels.empty());
        }
    }
    // The decoder refuses a cut PNG or reads it; either way it says so.
    Bytes png = pngFile(8, 8, Bytes(8 * 8 * 4, 0x90));
    for (std::size_t cut = 0; cut < png.size(); ++cut) {
        TextureReadResult result = readTexture(png.data(), cut);
        EXPECT_NE(result.ok(), result.texture.levels.empty()) << cut;
    }
}
