#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

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
        const std::uint8_t *a = row0 + 4 * x0, *b = row0 + 4 * x1, *c = row1 + 4 * x0, *d = row1 + 4 * x1;
        const int wa = (256 - fu) * (256 - fv), wb = fu * (256 - fv), wc = (256 - fu) * fv, wd = fu * fv;
        auto mix = [&](int k) {
            return static_cast<std::uint32_t>((a[k] * wa + b[k] * wb + c[k] * wc + d[k] * wd + 32768) >> 16);
        };
        return {mix(0), mix(1), mix(2), mix(3)};
    }

private:
    static int wrap(std::int64_t i, int size, int mask) {
        if (mask >= 0) return static_cast<int>(i & mask);
        const std::int64_t m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
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
