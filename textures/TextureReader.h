#pragma once

#include <cstddef>
#include <cstdint>

#include "TextureReadResult.h"

// How the mesh's texture list names a texture: with the D flag the simulator loads it
// uncompressed, so a DXT texture loses its alpha (opaque), and makes no mip chain for it.
enum class TextureFlag { None, D };

// Reads a texture file's bytes by their content, whatever the file's name: DDS, BMP, PNG or
// JPEG. Gives the file's mip levels, or, where it holds only the image, a full chain made by
// box filtering down to 1 x 1 (none for a D texture); or the reason it was not read. Never
// throws; sizes and lengths are checked against the bytes before anything is made.
TextureReadResult readTexture(const std::uint8_t* bytes, std::size_t size, TextureFlag flag = TextureFlag::None);
