#include "DxtBlocks.h"

#include <cstring>

#include "LittleEndian.h"

namespace {

// A 5:6:5 colour widened to 8 bits a channel, the high bits repeated into the low ones.
void expand565(std::uint16_t c, std::uint8_t* rgb) {
    unsigned r = c >> 11 & 31, g = c >> 5 & 63, b = c & 31;
    rgb[0] = std::uint8_t(r << 3 | r >> 2);
    rgb[1] = std::uint8_t(g << 2 | g >> 4);
    rgb[2] = std::uint8_t(b << 3 | b >> 2);
}

// The colour half of a block: 16 texels of RGBA, alpha 255 except DXT1's transparent index.
// DXT1 has three colours and a transparent black when its first colour is at most its
// second; DXT3 and DXT5 always have four colours.
void decodeColours(const std::uint8_t* block, bool threeColourMode, std::uint8_t (&texels)[16][4]) {
    std::uint16_t c0 = LittleEndian::u16(block), c1 = LittleEndian::u16(block + 2);
    std::uint8_t palette[4][4];
    expand565(c0, palette[0]);
    expand565(c1, palette[1]);
    palette[0][3] = palette[1][3] = palette[2][3] = palette[3][3] = 255;
    if (threeColourMode && c0 <= c1) {
        for (int k = 0; k < 3; ++k) {
            palette[2][k] = std::uint8_t((palette[0][k] + palette[1][k]) / 2);
            palette[3][k] = 0;
        }
        palette[3][3] = 0;
    } else {
        for (int k = 0; k < 3; ++k) {
            palette[2][k] = std::uint8_t((2 * palette[0][k] + palette[1][k]) / 3);
            palette[3][k] = std::uint8_t((palette[0][k] + 2 * palette[1][k]) / 3);
        }
    }
    std::uint32_t indices = LittleEndian::u32(block + 4);
    for (int i = 0; i < 16; ++i, indices >>= 2) std::memcpy(texels[i], palette[indices & 3], 4);
}

// DXT3: sixteen explicit 4-bit alphas.
void decodeExplicitAlpha(const std::uint8_t* block, std::uint8_t (&texels)[16][4]) {
    for (int i = 0; i < 16; ++i) {
        unsigned a = block[i / 2] >> (i % 2 * 4) & 15;
        texels[i][3] = std::uint8_t(a * 17);
    }
}

// DXT5: two alphas and 3-bit indices between them; when the first is at most the second,
// six steps and indices 6 and 7 for 0 and 255, otherwise eight steps.
void decodeInterpolatedAlpha(const std::uint8_t* block, std::uint8_t (&texels)[16][4]) {
    unsigned a0 = block[0], a1 = block[1];
    std::uint8_t alphas[8] = {std::uint8_t(a0), std::uint8_t(a1)};
    if (a0 > a1) {
        for (unsigned k = 1; k < 7; ++k) alphas[k + 1] = std::uint8_t(((7 - k) * a0 + k * a1) / 7);
    } else {
        for (unsigned k = 1; k < 5; ++k) alphas[k + 1] = std::uint8_t(((5 - k) * a0 + k * a1) / 5);
        alphas[6] = 0;
        alphas[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int k = 0; k < 6; ++k) indices |= std::uint64_t(block[2 + k]) << (8 * k);
    for (int i = 0; i < 16; ++i, indices >>= 3) texels[i][3] = alphas[indices & 7];
}

}  // namespace

void decodeDxt(DxtFormat format, const std::uint8_t* blocks, int width, int height, bool keepAlpha,
               std::uint8_t* rgba) {
    const std::size_t blockBytes = dxtBlockBytes(format);
    const std::size_t rowBytes = std::size_t(width) * 4;
    std::uint8_t texels[16][4];
    for (int by = 0; by < height; by += 4) {
        const int rows = height - by < 4 ? height - by : 4;
        for (int bx = 0; bx < width; bx += 4, blocks += blockBytes) {
            switch (format) {
            case DxtFormat::Dxt1: decodeColours(blocks, true, texels); break;
            case DxtFormat::Dxt3:
                decodeColours(blocks + 8, false, texels);
                decodeExplicitAlpha(blocks, texels);
                break;
            case DxtFormat::Dxt5:
                decodeColours(blocks + 8, false, texels);
                decodeInterpolatedAlpha(blocks, texels);
                break;
            }
            if (!keepAlpha)
                for (auto& texel : texels) texel[3] = 255;
            const std::size_t columnBytes = std::size_t(width - bx < 4 ? width - bx : 4) * 4;
            for (int y = 0; y < rows; ++y)
                std::memcpy(rgba + std::size_t(by + y) * rowBytes + std::size_t(bx) * 4, texels[y * 4], columnBytes);
        }
    }
}
