#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One level of a texture: 8-bit RGBA texels (r, g, b, a bytes), rows from the image's top row
// down, so that v = 0 samples row 0.
struct TextureLevel {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

    const std::uint8_t* texel(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

// A decoded texture: level 0 is the image itself, each further level half the one before
// (at least 1), down to 1 x 1 for a full chain.
struct Texture {
    int width = 0, height = 0;
    std::vector<TextureLevel> levels;

    // The bytes its texels take, all levels.
    std::size_t bytes() const {
        std::size_t sum = 0;
        for (const TextureLevel& level : levels) sum += level.rgba.size();
        return sum;
    }
};
