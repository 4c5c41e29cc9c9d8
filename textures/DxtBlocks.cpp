#include "DxtBlocks.h"

#include <cstring>

#include "LittleEndian.h"

namespace {

// A texel as it lies in memory: r, g, b, a bytes.
std::uint32_t packed(unsigned r, unsigned g, unsigned b, unsigned a) {
    const std::uint8_t bytes[4] = {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)};
    std::uint32_t texel;
    std::memcpy(&texel, bytes, 4);
    return texel;
}

// The alpha byte of a packed texel.
const std::uint32_t kAlphaBits = packed(0, 0, 0, 255);

// The colour half of a block: its 2-bit indices and the four texels they name, opaque except
// DXT1's transparent index. DXT1 has three colours and a transparent black when its first
// colour is at most its second; DXT3 and DXT5 always have four colours. A 5:6:5 colour is
// widened to 8 bits a channel with its high bits repeated into the low ones.
std::uint32_t decodeColours(const std::uint8_t* block, bool threeColourMode, std::uint32_t (&palette)[4]) {
    const std::uint16_t c0 = LittleEndian::u16(block), c1 = LittleEndian::u16(block + 2);
    unsigned rgb[2][3];
    for (int k = 0; k < 2; ++k) {
        const std::uint16_t c = k ? c1 : c0;
        const unsigned r = c >> 11 & 31, g = c >> 5 & 63, b = c & 31;
        rgb[k][0] = r << 3 | r >> 2;
        rgb[k][1] = g << 2 | g >> 4;
        rgb[k][2] = b << 3 | b >> 2;
    }
    palette[0] = packed(rgb[0][0], rgb[0][1], rgb[0][2], 255);
    palette[1] = packed(rgb[1][0], rgb[1][1], rgb[1][2], 255);
    if (threeColourMode && c0 <= c1) {
        palette[2] = packed((rgb[0][0] + rgb[1][0]) / 2, (rgb[0][1] + rgb[1][1]) / 2, (rgb[0][2] + rgb[1][2]) / 2, 255);
        palette[3] = 0;
    } else {
        palette[2] = packed((2 * rgb[0][0] + rgb[1][0]) / 3, (2 * rgb[0][1] + rgb[1][1]) / 3,
                            (2 * rgb[0][2] + rgb[1][2]) / 3, 255);
        palette[3] = packed((rgb[0][0] + 2 * rgb[1][0]) / 3, (rgb[0][1] + 2 * rgb[1][1]) / 3,
                            (rgb[0][2] + 2 * rgb[1][2]) / 3, 255);
    }
    return LittleEndian::u32(block + 4);
}

// DXT3: sixteen explicit 4-bit alphas, texel 0 in the low bits.
void explicitAlphas(const std::uint8_t* block, std::uint8_t (&alphas)[16]) {
    for (int i = 0; i < 16; ++i) alphas[i] = std::uint8_t((block[i / 2] >> (i % 2 * 4) & 15) * 17);
}

// DXT5: two alphas and 3-bit indices between them; when the first is at most the second,
// six steps and indices 6 and 7 for 0 and 255, otherwise eight steps.
void interpolatedAlphas(const std::uint8_t* block, std::uint8_t (&alphas)[16]) {
    const unsigned a0 = block[0], a1 = block[1];
    std::uint8_t steps[8] = {std::uint8_t(a0), std::uint8_t(a1)};
    if (a0 > a1) {
        for (unsigned k = 1; k < 7; ++k) steps[k + 1] = std::uint8_t(((7 - k) * a0 + k * a1) / 7);
    } else {
        for (unsigned k = 1; k < 5; ++k) steps[k + 1] = std::uint8_t(((5 - k) * a0 + k * a1) / 5);
        steps[6] = 0;
        steps[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int k = 0; k < 6; ++k) indices |= std::uint64_t(block[2 + k]) << (8 * k);
    for (int i = 0; i < 16; ++i, indices >>= 3) alphas[i] = steps[indices & 7];
}

// One format's blocks, each written straight into the rows it covers.
template <DxtFormat format, bool keepAlpha>
void decodeBlocks(const std::uint8_t* blocks, int width, int height, std::uint8_t* rgba) {
    constexpr std::size_t blockBytes = format == DxtFormat::Dxt1 ? 8 : 16;
    const std::size_t rowBytes = std::size_t(width) * 4;
    std::uint32_t palette[4];
    std::uint8_t alphas[16];
    std::uint32_t texels[16];
    for (int by = 0; by < height; by += 4) {
        const int rows = height - by < 4 ? height - by : 4;
        for (int bx = 0; bx < width; bx += 4, blocks += blockBytes) {
            std::uint32_t indices;
            if (format == DxtFormat::Dxt1) {
                indices = decodeColours(blocks, true, palette);
            } else {
                indices = decodeColours(blocks + 8, false, palette);
                if (format == DxtFormat::Dxt3)
                    explicitAlphas(blocks, alphas);
                else
                    interpolatedAlphas(blocks, alphas);
            }
            if (!keepAlpha)
                for (std::uint32_t& texel : palette) texel |= kAlphaBits;
            std::uint8_t* out = rgba + std::size_t(by) * rowBytes + std::size_t(bx) * 4;
            if (rows == 4 && width - bx >= 4 && (format == DxtFormat::Dxt1 || !keepAlpha)) {
                // A whole block of palette texels: no copy between.
                for (int y = 0; y < 4; ++y, out += rowBytes)
                    for (int x = 0; x < 4; ++x, indices >>= 2) std::memcpy(out + 4 * x, &palette[indices & 3], 4);
                continue;
            }
            for (int i = 0; i < 16; ++i, indices >>= 2) {
                texels[i] = palette[indices & 3];
                if (format != DxtFormat::Dxt1 && keepAlpha) texels[i] = (texels[i] & ~kAlphaBits) | packed(0, 0, 0, alphas[i]);
            }
            const std::size_t columnBytes = std::size_t(width - bx < 4 ? width - bx : 4) * 4;
            for (int y = 0; y < rows; ++y, out += rowBytes) std::memcpy(out, &texels[4 * y], columnBytes);
        }
    }
}

}  // namespace

void decodeDxt(DxtFormat format, const std::uint8_t* blocks, int width, int height, bool keepAlpha,
               std::uint8_t* rgba) {
    switch (format) {
    case DxtFormat::Dxt1:
        return keepAlpha ? decodeBlocks<DxtFormat::Dxt1, true>(blocks, width, height, rgba)
                         : decodeBlocks<DxtFormat::Dxt1, false>(blocks, width, height, rgba);
    case DxtFormat::Dxt3:
        return keepAlpha ? decodeBlocks<DxtFormat::Dxt3, true>(blocks, width, height, rgba)
                         : decodeBlocks<DxtFormat::Dxt3, false>(blocks, width, height, rgba);
    case DxtFormat::Dxt5:
        return keepAlpha ? decodeBlocks<DxtFormat::Dxt5, true>(blocks, width, height, rgba)
                         : decodeBlocks<DxtFormat::Dxt5, false>(blocks, width, height, rgba);
    }
}
