#include "StbImageReader.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "StbInputChecks.h"
#include "TextureLimits.h"

// The decoder's implementation, compiled here once: PNG and JPEG only, from memory only, with
// no file functions (and so no Windows calls). Its own guard on the sides stays at its default:
// the sides are checked before it decodes, with a reason that names them.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
// Zeroed memory: the packaged decoder reads the Huffman tables of a JPEG scan whether or not
// the file defined them, and an undefined table of left-over bytes sends it outside its
// arrays; a zeroed one decodes as zeros.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(pointer, size) std::realloc(pointer, size)
#define STBI_FREE(pointer) std::free(pointer)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// The least number of bytes a file of this kind needs for an image of width x height, or 0
// when it cannot say.
std::uint64_t leastBytes(bool png, const std::uint8_t* bytes, std::size_t size, std::uint64_t width,
                         std::uint64_t height) {
    if (!png) return (width + 7) / 8 * ((height + 7) / 8) / 8;
    // The first chunk is IHDR: its bit depth and colour type give the bits a texel; the
    // filtered rows (one filter byte each) inflate from at least 1/1032 of their bytes.
    if (size < 29 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return 0;
    static const unsigned channels[7] = {1, 0, 3, 1, 2, 0, 4};
    const unsigned depth = bytes[24], type = bytes[25];
    const std::uint64_t bits = depth * (type < 7 ? channels[type] : 0);
    const std::uint64_t rows = height * (1 + (width * bits + 7) / 8);
    return rows / 1032;
}

}  // namespace

bool isPng(const std::uint8_t* bytes, std::size_t size) {
    return size >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0;
}

bool isJpeg(const std::uint8_t* bytes, std::size_t size) {
    return size >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff;
}

TextureReadResult readPngOrJpeg(const std::uint8_t* bytes, std::size_t size) {
    const bool png = isPng(bytes, size);
    const char* kind = png ? "PNG" : "JPEG";
    if (size > std::size_t(INT_MAX)) return TextureReadResult::failed(std::string(kind) + " file over 2 GB not read");
    const std::string fault = png ? pngChunkFault(bytes, size) : jpegTableFault(bytes, size);
    if (!fault.empty()) return TextureReadResult::failed(fault);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, int(size), &width, &height, &channels))
        return TextureReadResult::failed(std::string(kind) + " file not read: " + stbi_failure_reason());
    std::string reason = badTextureSize(kind, width, height);
    if (!reason.empty()) return TextureReadResult::failed(reason);
    const std::uint64_t least = leastBytes(png, bytes, size, std::uint64_t(width), std::uint64_t(height));
    if (size < least)
        return TextureReadResult::failed(std::string(kind) + " file too short: " + std::to_string(size) + " bytes for a " +
                                         std::to_string(width) + " x " + std::to_string(height) +
                                         " image need at least " + std::to_string(least));

    int w = 0, h = 0;
    stbi_uc* texels = stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 4);
    if (!texels) return TextureReadResult::failed(std::string(kind) + " file not read: " + stbi_failure_reason());
    Texture texture;
    texture.width = w;
    texture.height = h;
    texture.levels.resize(1);
    texture.levels[0].width = w;
    texture.levels[0].height = h;
    try {
        texture.levels[0].rgba.assign(texels, texels + std::size_t(w) * std::size_t(h) * 4);
    } catch (...) {
        stbi_image_free(texels);
        throw;
    }
    stbi_image_free(texels);
    return TextureReadResult::read(std::move(texture));
}
