#include "MipChain.h"

TextureLevel halvedLevel(const TextureLevel& level) {
    TextureLevel half;
    half.width = level.width > 1 ? level.width / 2 : 1;
    half.height = level.height > 1 ? level.height / 2 : 1;
    half.rgba.resize(std::size_t(half.width) * half.height * 4);
    const std::size_t rowBytes = std::size_t(level.width) * 4;
    // A side of 1 takes its one texel twice; an odd side's last texel is left out.
    const std::size_t stepX = level.width > 1 ? 4 : 0;
    const std::size_t stepY = level.height > 1 ? rowBytes : 0;
    std::uint8_t* out = half.rgba.data();
    for (int y = 0; y < half.height; ++y) {
        const std::uint8_t* top = level.rgba.data() + std::size_t(2 * y) * rowBytes;
        const std::uint8_t* bottom = top + stepY;
        for (int x = 0; x < half.width; ++x, top += 2 * stepX, bottom += 2 * stepX)
            for (int k = 0; k < 4; ++k)
                *out++ = std::uint8_t((top[k] + top[stepX + k] + bottom[k] + bottom[stepX + k] + 2) / 4);
    }
    return half;
}

void completeMipChain(Texture& texture) {
    if (texture.levels.empty()) return;
    while (texture.levels.back().width > 1 || texture.levels.back().height > 1)
        texture.levels.push_back(halvedLevel(texture.levels.back()));
}
