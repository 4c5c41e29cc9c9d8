#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// The texels are read as 32-bit words: r g b a in memory is r in the lowest byte on the
// little-endian processors the program runs on.

#include "Texture.h"

struct Texel {
    std::uint32_t r, g, b, a;  // 0 to 255
};

// Bilinear samples of one mip level with wrap addressing: u from the left column, v from
// the top row, both 16.16 fixed point in texture units (1.0 across the whole image).
class TextureSampler {
public:
    void use(const TextureLevel& level) {
        texels = level.rgba.data();
        width = level.width;
        height = level.height;
        widthMask = (width & (width - 1)) == 0 ? width - 1 : -1;
        heightMask = (height & (height - 1)) == 0 ? height - 1 : -1;
    }

    Texel sample(std::int64_t u, std::int64_t v) const {
        // Texel centres stand at half a texel: the four around the point, and its place between them.
        const std::int64_t tu = ((u * width) >> 8) - 128, tv = ((v * height) >> 8) - 128;  // 24.8 texels
        const int fu = static_cast<int>(tu & 0xFF), fv = static_cast<int>(tv & 0xFF);
        const int x0 = wrap(tu >> 8, width, widthMask), x1 = wrap((tu >> 8) + 1, width, widthMask);
        const int y0 = wrap(tv >> 8, height, heightMask), y1 = wrap((tv >> 8) + 1, height, heightMask);
        const std::uint8_t* row0 = texels + static_cast<std::size_t>(y0) * static_cast<std::size_t>(width) * 4;
        const std::uint8_t* row1 = texels + static_cast<std::size_t>(y1) * static_cast<std::size_t>(width) * 4;
        // Two channels at a time: the bytes r and b (and g and a) lie 16 bits apart, so one
        // product weighs both.
        const std::uint32_t top = lerp(word(row0, x0), word(row0, x1), fu), bottom = lerp(word(row1, x0), word(row1, x1), fu);
        const std::uint32_t t = lerp(top, bottom, fv);
        return {t & 0xFF, t >> 8 & 0xFF, t >> 16 & 0xFF, t >> 24};
    }

private:
    static int wrap(std::int64_t i, int size, int mask) {
        if (mask >= 0) return static_cast<int>(i & mask);
        const std::int64_t m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
    }

    // r g b a bytes, read four at a time: in a little-endian word r is the lowest byte.
    static std::uint32_t lerp(std::uint32_t a, std::uint32_t b, int f) {
        const std::uint32_t keep = 256 - static_cast<std::uint32_t>(f), take = static_cast<std::uint32_t>(f);
        const std::uint32_t even = ((a & 0x00FF00FF) * keep + (b & 0x00FF00FF) * take + 0x00800080) >> 8 & 0x00FF00FF;
        const std::uint32_t odd = (((a >> 8) & 0x00FF00FF) * keep + ((b >> 8) & 0x00FF00FF) * take + 0x00800080) & 0xFF00FF00;
        return even | odd;
    }

    static std::uint32_t word(const std::uint8_t* row, int x) {
        std::uint32_t w;
        std::memcpy(&w, row + 4 * x, sizeof w);
        return w;
    }

    const std::uint8_t* texels = nullptr;
    int width = 1, height = 1, widthMask = 0, heightMask = 0;
};

// The mip level at which a texel of the triangle is about a pixel: the texels it covers at
// level 0 over the pixels it covers, halved in each direction per level.
inline int mipLevelFor(const Texture& texture, double texelArea, double pixelArea) {
    const int last = static_cast<int>(texture.levels.size()) - 1;
    if (!(pixelArea > 0) || !(texelArea > pixelArea)) return 0;
    const int level = static_cast<int>(std::lround(0.5 * std::log2(texelArea / pixelArea)));
    return level < 0 ? 0 : level > last ? last : level;
}
