#include "MipChain.h"

#include <cstring>

namespace {

// The rounded mean of four texels, channel by channel: each texel's four bytes spread into
// 16-bit lanes of a 64-bit number (bytes 0 and 2 in lanes 0 and 1, bytes 1 and 3 in 2 and 3),
// summed, rounded and shifted down together.
inline std::uint32_t mean4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    auto spread = [](std::uint32_t t) {
        return std::uint64_t(t & 0x00ff00ffu) | std::uint64_t(t & 0xff00ff00u) << 24;
    };
    const std::uint64_t sum = spread(a) + spread(b) + spread(c) + spread(d) + 0x0002000200020002ull;
    const std::uint64_t mean = sum >> 2 & 0x00ff00ff00ff00ffull;
    return std::uint32_t(mean & 0x00ff00ffu) | std::uint32_t(mean >> 24 & 0xff00ff00u);
}

inline std::uint32_t load(const std::uint8_t* p) {
    std::uint32_t t;
    std::memcpy(&t, p, 4);
    return t;
}

}  // namespace

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
        for (int x = 0; x < half.width; ++x, top += 2 * stepX, bottom += 2 * stepX, out += 4) {
            const std::uint32_t mean = mean4(load(top), load(top + stepX), load(bottom), load(bottom + stepX));
            std::memcpy(out, &mean, 4);
        }
    }
    return half;
}

void completeMipChain(Texture& texture) {
    if (texture.levels.empty()) return;
    int levels = 1;
    for (int side = texture.levels.back().width > texture.levels.back().height ? texture.levels.back().width
                                                                                : texture.levels.back().height;
         side > 1; side /= 2)
        ++levels;
    texture.levels.reserve(texture.levels.size() + levels - 1);
    while (texture.levels.back().width > 1 || texture.levels.back().height > 1)
        texture.levels.push_back(halvedLevel(texture.levels.back()));
}
