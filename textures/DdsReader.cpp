#include "DdsReader.h"

#include <cstdio>
#include <string>

#include "DxtBlocks.h"
#include "LittleEndian.h"
#include "MaskedPixels.h"
#include "TextureLimits.h"

namespace {

// The header as written after the magic: its fields' byte positions in the file.
constexpr std::size_t kHeaderEnd = 128;
constexpr std::size_t kFlags = 8, kHeight = 12, kWidth = 16, kDepth = 24, kMipCount = 28;
constexpr std::size_t kFormatFlags = 80, kFourCc = 84, kBitCount = 88, kRedMask = 92, kGreenMask = 96,
                      kBlueMask = 100, kAlphaMask = 104, kCaps = 108, kCaps2 = 112;

constexpr std::uint32_t kHasMipCount = 0x20000, kHasDepth = 0x800000;  // header flags
constexpr std::uint32_t kCapsMipmap = 0x400000;
constexpr std::uint32_t kCaps2Cubemap = 0x200, kCaps2Volume = 0x200000;
constexpr std::uint32_t kAlphaPixels = 0x1, kAlpha = 0x2, kFourCcFormat = 0x4, kRgb = 0x40,
                        kLuminance = 0x20000;  // pixel format flags

std::uint32_t fourCc(const char (&text)[5]) { return LittleEndian::u32(reinterpret_cast<const std::uint8_t*>(text)); }

std::string fourCcText(std::uint32_t code) {
    std::string text;
    for (int k = 0; k < 4; ++k) {
        unsigned char c = (code >> (8 * k)) & 0xff;
        if (c >= 32 && c < 127) {
            text += char(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            text += hex;
        }
    }
    return text;
}

// How a file's texels are stored.
struct Layout {
    bool compressed = false;
    DxtFormat dxt = DxtFormat::Dxt1;
    int bytesPerTexel = 0;
    MaskedPixels::Kind kind = MaskedPixels::Kind::Rgb;
    std::uint32_t masks[4] = {};  // r, g, b, a
    std::string name;             // for messages: "DXT1", "A4R4G4B4", "24-bit RGB"

    std::uint64_t levelBytes(std::uint64_t width, std::uint64_t height) const {
        return compressed ? dxtLevelBytes(dxt, width, height) : width * height * std::uint64_t(bytesPerTexel);
    }
};

std::string maskedName(const Layout& layout) {
    struct Named {
        int bytes;
        MaskedPixels::Kind kind;
        std::uint32_t r, g, b, a;
        const char* name;
    };
    using K = MaskedPixels::Kind;
    static const Named names[] = {
        {4, K::Rgb, 0xff0000, 0xff00, 0xff, 0xff000000, "A8R8G8B8"}, {4, K::Rgb, 0xff0000, 0xff00, 0xff, 0, "X8R8G8B8"},
        {4, K::Rgb, 0xff, 0xff00, 0xff0000, 0xff000000, "A8B8G8R8"},  {4, K::Rgb, 0xff, 0xff00, 0xff0000, 0, "X8B8G8R8"},
        {3, K::Rgb, 0xff0000, 0xff00, 0xff, 0, "R8G8B8"},             {2, K::Rgb, 0xf00, 0xf0, 0xf, 0xf000, "A4R4G4B4"},
        {2, K::Rgb, 0xf00, 0xf0, 0xf, 0, "X4R4G4B4"},                 {2, K::Rgb, 0xf800, 0x7e0, 0x1f, 0, "R5G6B5"},
        {2, K::Rgb, 0x7c00, 0x3e0, 0x1f, 0x8000, "A1R5G5B5"},         {2, K::Rgb, 0x7c00, 0x3e0, 0x1f, 0, "X1R5G5B5"},
        {1, K::Luminance, 0xff, 0, 0, 0, "L8"},                        {2, K::Luminance, 0xff, 0, 0, 0xff00, "A8L8"},
        {1, K::AlphaOnly, 0, 0, 0, 0xff, "A8"},
    };
    for (const Named& n : names) {
        std::uint32_t r = layout.kind == K::AlphaOnly ? 0 : layout.masks[0];
        std::uint32_t g = layout.kind == K::Rgb ? layout.masks[1] : 0, b = layout.kind == K::Rgb ? layout.masks[2] : 0;
        if (n.bytes == layout.bytesPerTexel && n.kind == layout.kind && n.r == r && n.g == g && n.b == b &&
            n.a == layout.masks[3])
            return n.name;
    }
    return std::to_string(layout.bytesPerTexel * 8) + "-bit " +
           (layout.kind == K::Luminance ? "luminance" : layout.kind == K::AlphaOnly ? "alpha" : "RGB");
}

// The layout the pixel format names, or why it is not read.
std::string readLayout(const std::uint8_t* bytes, Layout& layout) {
    const std::uint32_t flags = LittleEndian::u32(bytes + kFormatFlags);
    if (flags & kFourCcFormat) {
        const std::uint32_t code = LittleEndian::u32(bytes + kFourCc);
        layout.compressed = true;
        if (code == fourCc("DXT1")) {
            layout.dxt = DxtFormat::Dxt1;
        } else if (code == fourCc("DXT3")) {
            layout.dxt = DxtFormat::Dxt3;
        } else if (code == fourCc("DXT5")) {
            layout.dxt = DxtFormat::Dxt5;
        } else {
            return "DDS pixel format '" + fourCcText(code) + "' not read (DXT1, DXT3, DXT5 and uncompressed only)";
        }
        layout.name = fourCcText(code);
        return {};
    }
    if (flags & kRgb) {
        layout.kind = MaskedPixels::Kind::Rgb;
    } else if (flags & kLuminance) {
        layout.kind = MaskedPixels::Kind::Luminance;
    } else if (flags & kAlpha) {
        layout.kind = MaskedPixels::Kind::AlphaOnly;
    } else {
        char hex[12];
        std::snprintf(hex, sizeof hex, "0x%x", unsigned(flags));
        return std::string("DDS pixel format flags ") + hex + " not read (neither DXT, RGB, luminance nor alpha)";
    }
    const std::uint32_t bits = LittleEndian::u32(bytes + kBitCount);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "DDS pixel format of " + std::to_string(bits) + " bits a texel not read (8, 16, 24 or 32 only)";
    layout.bytesPerTexel = int(bits / 8);
    layout.masks[0] = LittleEndian::u32(bytes + kRedMask);
    layout.masks[1] = LittleEndian::u32(bytes + kGreenMask);
    layout.masks[2] = LittleEndian::u32(bytes + kBlueMask);
    // The alpha mask counts only where the format says it has alpha.
    layout.masks[3] = (flags & (kAlphaPixels | kAlpha)) ? LittleEndian::u32(bytes + kAlphaMask) : 0;
    const bool noColour = layout.kind == MaskedPixels::Kind::AlphaOnly ? layout.masks[3] == 0
                          : layout.kind == MaskedPixels::Kind::Luminance
                              ? layout.masks[0] == 0
                              : (layout.masks[0] | layout.masks[1] | layout.masks[2]) == 0;
    if (noColour) return "DDS pixel format has no bit masks for its channels";
    layout.name = maskedName(layout);
    return {};
}

std::string sizeText(std::uint32_t width, std::uint32_t height, const Layout& layout, std::uint32_t levels) {
    std::string text = std::to_string(width) + " x " + std::to_string(height) + " " + layout.name + " image";
    if (levels > 1) text += " with " + std::to_string(levels) + " mip levels";
    return text;
}

}  // namespace

TextureReadResult readDds(const std::uint8_t* bytes, std::size_t size, bool keepDxtAlpha) {
    if (size < kHeaderEnd)
        return TextureReadResult::failed("DDS file too short: " + std::to_string(size) + " bytes, its header alone needs " +
                                         std::to_string(kHeaderEnd));
    const std::uint32_t flags = LittleEndian::u32(bytes + kFlags);
    const std::uint32_t caps2 = LittleEndian::u32(bytes + kCaps2);
    if (caps2 & kCaps2Cubemap) return TextureReadResult::failed("DDS cube map not read (flat textures only)");
    if ((caps2 & kCaps2Volume) || ((flags & kHasDepth) && LittleEndian::u32(bytes + kDepth) > 1))
        return TextureReadResult::failed("DDS volume texture not read (flat textures only)");

    Layout layout;
    std::string reason = readLayout(bytes, layout);
    if (!reason.empty()) return TextureReadResult::failed(reason);

    const std::uint32_t width = LittleEndian::u32(bytes + kWidth), height = LittleEndian::u32(bytes + kHeight);
    reason = badTextureSize("DDS", width, height);
    if (!reason.empty()) return TextureReadResult::failed(reason);

    // A full chain down to 1 x 1 has this many levels; a header may count 0 or 1 for none.
    std::uint32_t fullChain = 1;
    for (std::uint32_t side = width > height ? width : height; side > 1; side /= 2) ++fullChain;
    std::uint32_t levels = 1;
    const std::uint32_t counted = LittleEndian::u32(bytes + kMipCount);
    if (counted > 1 && ((flags & kHasMipCount) || (LittleEndian::u32(bytes + kCaps) & kCapsMipmap))) levels = counted;
    if (levels > fullChain)
        return TextureReadResult::failed("DDS header counts " + std::to_string(levels) + " mip levels; a " +
                                         std::to_string(width) + " x " + std::to_string(height) + " image has at most " +
                                         std::to_string(fullChain));

    std::uint64_t needed = 0;
    for (std::uint32_t level = 0; level < levels; ++level) {
        const std::uint64_t w = width >> level ? width >> level : 1, h = height >> level ? height >> level : 1;
        needed += layout.levelBytes(w, h);
    }
    const std::uint64_t data = size - kHeaderEnd;
    if (data < needed)
        return TextureReadResult::failed("DDS file too short: " + std::to_string(data) + " bytes of data for a " +
                                         sizeText(width, height, layout, levels) + " need " + std::to_string(needed));

    Texture texture;
    texture.width = int(width);
    texture.height = int(height);
    texture.levels.resize(levels);
    const MaskedPixels masked(layout.bytesPerTexel ? layout.bytesPerTexel : 1, layout.kind, layout.masks[0],
                              layout.masks[1], layout.masks[2], layout.masks[3]);
    const std::uint8_t* at = bytes + kHeaderEnd;
    for (std::uint32_t k = 0; k < levels; ++k) {
        TextureLevel& level = texture.levels[k];
        level.width = width >> k ? int(width >> k) : 1;
        level.height = height >> k ? int(height >> k) : 1;
        level.rgba.resize(std::size_t(level.width) * level.height * 4);
        if (layout.compressed)
            decodeDxt(layout.dxt, at, level.width, level.height, keepDxtAlpha, level.rgba.data());
        else
            masked.decode(at, std::size_t(level.width) * level.height, level.rgba.data());
        at += layout.levelBytes(level.width, level.height);
    }
    return TextureReadResult::read(std::move(texture));
}
