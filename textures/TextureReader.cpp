#include "TextureReader.h"

#include <cstring>
#include <new>

#include "BmpReader.h"
#include "DdsReader.h"
#include "MipChain.h"
#include "StbImageReader.h"

namespace {

TextureReadResult readByContent(const std::uint8_t* bytes, std::size_t size, TextureFlag flag) {
    if (size >= 4 && std::memcmp(bytes, "DDS ", 4) == 0) return readDds(bytes, size, flag != TextureFlag::D);
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return readBmp(bytes, size);
    if (isPng(bytes, size) || isJpeg(bytes, size)) return readPngOrJpeg(bytes, size);
    if (size == 0) return TextureReadResult::failed("texture file is empty");
    return TextureReadResult::failed("texture file of unknown format (neither DDS, BMP, PNG nor JPEG)");
}

}  // namespace

TextureReadResult readTexture(const std::uint8_t* bytes, std::size_t size, TextureFlag flag) {
    try {
        TextureReadResult result = readByContent(bytes, size, flag);
        if (result.ok() && result.texture.levels.size() == 1 && flag != TextureFlag::D)
            completeMipChain(result.texture);
        return result;
    } catch (const std::bad_alloc&) {
        return TextureReadResult::failed("texture not read: not enough memory");
    } catch (...) {
        return TextureReadResult::failed("texture not read: unexpected failure");
    }
}
