#include "MaskedPixels.h"

MaskedPixels::Channel MaskedPixels::channel(std::uint32_t mask, std::uint8_t absent) {
    Channel c;
    c.mask = mask;
    c.absent = absent;
    if (mask == 0) return c;
    while (!(mask >> c.shift & 1)) ++c.shift;
    c.max = mask >> c.shift;
    if (c.max < 256)
        for (std::uint32_t v = 0; v <= c.max; ++v) c.widened[v] = std::uint8_t((v * 255 + c.max / 2) / c.max);
    return c;
}

// A mask with holes (never seen in real files) still gives each value in 0..max its share.
std::uint8_t MaskedPixels::Channel::value(std::uint32_t texel) const {
    if (mask == 0) return absent;
    std::uint32_t v = (texel & mask) >> shift;
    if (max < 256) return widened[v];
    return std::uint8_t((std::uint64_t(v) * 255 + max / 2) / max);
}

MaskedPixels::MaskedPixels(int bytesPerTexel, Kind kind, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                           std::uint32_t alpha)
    : bytes(bytesPerTexel) {
    switch (kind) {
    case Kind::Rgb: break;
    case Kind::Luminance: green = blue = red; break;
    case Kind::AlphaOnly: red = green = blue = 0; break;
    }
    // Only the bits a texel has count.
    const std::uint32_t bits = bytesPerTexel >= 4 ? 0xffffffffu : (1u << (8 * bytesPerTexel)) - 1;
    channels[0] = channel(red & bits, 0);
    channels[1] = channel(green & bits, 0);
    channels[2] = channel(blue & bits, 0);
    channels[3] = channel(alpha & bits, 255);
}

void MaskedPixels::decode(const std::uint8_t* packed, std::size_t count, std::uint8_t* rgba) const {
    for (std::size_t i = 0; i < count; ++i, packed += bytes, rgba += 4) {
        std::uint32_t texel = 0;
        for (int k = 0; k < bytes; ++k) texel |= std::uint32_t(packed[k]) << (8 * k);
        for (int k = 0; k < 4; ++k) rgba[k] = channels[k].value(texel);
    }
}
