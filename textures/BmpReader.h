#pragma once

#include <cstddef>
#include <cstdint>

#include "TextureReadResult.h"

// Reads a BMP file (it begins with "BM"): 24 and 32 bits a texel, uncompressed, or 32 bits with
// bit fields; rows bottom up (a positive height) or top down (a negative one), each padded to 4
// bytes. A plain 32-bit file's fourth byte is unused (opaque texels); with bit fields its alpha
// mask, where the header has one, gives alpha. One level, its rows turned top down.
TextureReadResult readBmp(const std::uint8_t* bytes, std::size_t size);
