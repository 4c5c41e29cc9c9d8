#pragma once

#include <cstddef>
#include <cstdint>

#include "TextureReadResult.h"

// Reads a DDS file (it begins with "DDS "): DXT1, DXT3 and DXT5, and uncompressed RGB,
// luminance and alpha texels of 8 to 32 bits by their masks (A8R8G8B8, X8R8G8B8, R8G8B8,
// A4R4G4B4, R5G6B5, A1R5G5B5, L8, A8 and the like). Gives the mip levels the file holds, all of
// them, or one when its header counts 0 or 1. keepDxtAlpha false makes DXT texels opaque.
// Sizes, level count and data length are checked against the file before anything is made.
TextureReadResult readDds(const std::uint8_t* bytes, std::size_t size, bool keepDxtAlpha);
