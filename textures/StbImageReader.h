#pragma once

#include <cstddef>
#include <cstdint>

#include "TextureReadResult.h"

// Whether the bytes begin as a PNG or a JPEG file does.
bool isPng(const std::uint8_t* bytes, std::size_t size);
bool isJpeg(const std::uint8_t* bytes, std::size_t size);

// Reads a PNG or JPEG file through stb_image, as RGBA, one level. Its size is read first and
// checked: each side at most 8192, and no more texels than the compressed data can hold (a
// deflate stream inflates at most 1032-fold; a JPEG spends a bit at least on each 8 x 8 block),
// so that a small file cannot make a large image.
TextureReadResult readPngOrJpeg(const std::uint8_t* bytes, std::size_t size);
