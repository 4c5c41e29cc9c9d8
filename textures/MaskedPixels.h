#pragma once

#include <cstddef>
#include <cstdint>

// Uncompressed texels of 1 to 4 bytes, little-endian, each channel given by a bit mask (as a
// DDS pixel format or a BMP's bit fields give them), widened to 8 bits a channel. A channel
// without a mask is 0, alpha without a mask 255.
class MaskedPixels {
public:
    enum class Kind {
        Rgb,        // red, green and blue from their masks
        Luminance,  // red, green and blue all from the red mask
        AlphaOnly,  // red, green and blue 0: only the alpha mask
    };

    MaskedPixels(int bytesPerTexel, Kind kind, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                 std::uint32_t alpha);

    int bytesPerTexel() const { return bytes; }
    // Decodes count texels from packed into rgba (count * 4 bytes).
    void decode(const std::uint8_t* packed, std::size_t count, std::uint8_t* rgba) const;

private:
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        std::uint32_t max = 0;        // the mask shifted down: the channel's largest value
        std::uint8_t absent = 0;      // the value without a mask
        std::uint8_t widened[256] = {};  // the 8-bit value of each value up to 255, when max < 256
        std::uint8_t value(std::uint32_t texel) const;
    };
    static Channel channel(std::uint32_t mask, std::uint8_t absent);

    int bytes;
    Channel channels[4];  // r, g, b, a
};
