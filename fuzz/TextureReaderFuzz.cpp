// Feeds arbitrary bytes to the texture readers, as a texture named with and without the D
// flag: every input is read or refused with a reason, and nothing is read outside the bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../textures/TextureReader.h"

namespace {

void check(const TextureReadResult& result) {
    // Read: a texture whose levels halve down from its size, each holding its texels; refused:
    // a reason and no texture.
    if (result.ok() == result.texture.levels.empty()) std::abort();
    int width = result.texture.width, height = result.texture.height;
    for (const TextureLevel& level : result.texture.levels) {
        if (level.width != width || level.height != height) std::abort();
        if (level.rgba.size() != std::size_t(width) * std::size_t(height) * 4) std::abort();
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check(readTexture(data, size, TextureFlag::None));
    check(readTexture(data, size, TextureFlag::D));
    return 0;
}
