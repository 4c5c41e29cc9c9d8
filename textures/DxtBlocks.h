#pragma once

#include <cstddef>
#include <cstdint>

// The block-compressed formats: 4 x 4 texels a block, 8 bytes (DXT1) or 16 (DXT3, DXT5).
enum class DxtFormat { Dxt1, Dxt3, Dxt5 };

inline std::size_t dxtBlockBytes(DxtFormat format) { return format == DxtFormat::Dxt1 ? 8 : 16; }

// The bytes of a level of width x height texels: whole blocks, at least one each way.
inline std::uint64_t dxtLevelBytes(DxtFormat format, std::uint64_t width, std::uint64_t height) {
    return ((width + 3) / 4) * ((height + 3) / 4) * dxtBlockBytes(format);
}

// Decodes a level's blocks into width x height RGBA texels (the blocks at the right and bottom
// edges cut to the image). With keepAlpha false every texel is opaque, as the simulator loads
// a DXT texture uncompressed; DXT1's transparent index is then opaque black.
void decodeDxt(DxtFormat format, const std::uint8_t* blocks, int width, int height, bool keepAlpha,
               std::uint8_t* rgba);
