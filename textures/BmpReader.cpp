#include "BmpReader.h"

#include <string>

#include "LittleEndian.h"
#include "MaskedPixels.h"
#include "TextureLimits.h"

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kPixelOffset = 10;  // in the file header
// In the info header, from its start.
constexpr std::size_t kWidth = 4, kHeight = 8, kBitCount = 14, kCompression = 16, kMasks = 40;
constexpr std::uint32_t kPlain = 0, kBitFields = 3;

}  // namespace

TextureReadResult readBmp(const std::uint8_t* bytes, std::size_t size) {
    if (size < kFileHeader + 40)
        return TextureReadResult::failed("BMP file too short: " + std::to_string(size) +
                                         " bytes, its headers alone need " + std::to_string(kFileHeader + 40));
    const std::uint8_t* info = bytes + kFileHeader;
    const std::uint32_t infoSize = LittleEndian::u32(info);
    if (infoSize < 40)
        return TextureReadResult::failed("BMP header of " + std::to_string(infoSize) +
                                         " bytes not read (40 bytes or more only)");
    const std::int64_t width = LittleEndian::i32(info + kWidth), signedHeight = LittleEndian::i32(info + kHeight);
    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -signedHeight : signedHeight;
    const unsigned bits = LittleEndian::u16(info + kBitCount);
    const std::uint32_t compression = LittleEndian::u32(info + kCompression);
    if (bits != 24 && bits != 32)
        return TextureReadResult::failed("BMP of " + std::to_string(bits) + " bits a texel not read (24 and 32 only)");
    if (!(compression == kPlain || (compression == kBitFields && bits == 32)))
        return TextureReadResult::failed("BMP compression " + std::to_string(compression) +
                                         " not read (uncompressed, and bit fields at 32 bits, only)");
    std::string reason = badTextureSize("BMP", width, height);
    if (!reason.empty()) return TextureReadResult::failed(reason);

    // Bit fields follow a 40-byte header, or lie in a longer one (alpha from 56 bytes on).
    std::uint32_t masks[4] = {0xff0000, 0xff00, 0xff, 0};
    std::uint64_t headersEnd = kFileHeader + std::uint64_t(infoSize);
    if (compression == kBitFields) {
        const std::uint64_t masksEnd = kFileHeader + kMasks + (infoSize >= 56 ? 16 : 12);
        if (infoSize == 40) headersEnd = masksEnd;
        if (size < masksEnd)
            return TextureReadResult::failed("BMP file too short: " + std::to_string(size) +
                                             " bytes, its bit fields end at " + std::to_string(masksEnd));
        for (int k = 0; k < (infoSize >= 56 ? 4 : 3); ++k) masks[k] = LittleEndian::u32(info + kMasks + 4 * k);
        if ((masks[0] | masks[1] | masks[2]) == 0)
            return TextureReadResult::failed("BMP bit fields have no masks for red, green and blue");
    }
    if (headersEnd > size)
        return TextureReadResult::failed("BMP file too short: " + std::to_string(size) + " bytes, its headers end at " +
                                         std::to_string(headersEnd));

    const std::uint64_t offset = LittleEndian::u32(bytes + kPixelOffset);
    const std::uint64_t rowBytes = std::uint64_t(width) * (bits / 8);
    const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
    // The last row's padding may be missing.
    const std::uint64_t needed = stride * std::uint64_t(height - 1) + rowBytes;
    if (offset < headersEnd || offset > size)
        return TextureReadResult::failed("BMP pixel data offset " + std::to_string(offset) + " lies outside " +
                                         std::to_string(headersEnd) + ".." + std::to_string(size) +
                                         " (after the headers, within the file)");
    if (size - offset < needed)
        return TextureReadResult::failed("BMP file too short: " + std::to_string(size - offset) +
                                         " bytes of pixel data for a " + std::to_string(width) + " x " +
                                         std::to_string(height) + " " + std::to_string(bits) + "-bit image need " +
                                         std::to_string(needed));

    const MaskedPixels pixels(int(bits / 8), MaskedPixels::Kind::Rgb, masks[0], masks[1], masks[2], masks[3]);
    Texture texture;
    texture.width = int(width);
    texture.height = int(height);
    texture.levels.resize(1);
    TextureLevel& level = texture.levels[0];
    level.width = texture.width;
    level.height = texture.height;
    level.rgba.resize(std::size_t(width) * std::size_t(height) * 4);
    for (int y = 0; y < level.height; ++y) {
        const int row = topDown ? y : level.height - 1 - y;
        pixels.decode(bytes + offset + std::uint64_t(row) * stride, std::size_t(width),
                      level.rgba.data() + std::size_t(y) * std::size_t(width) * 4);
    }
    return TextureReadResult::read(std::move(texture));
}
