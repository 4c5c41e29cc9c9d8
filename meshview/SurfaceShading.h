#pragma once

#include <algorithm>
#include <cstdint>

#include "TextureSampler.h"
#include "TriangleRasterizer.h"
#include "ViewColours.h"

// The shading step: the colour of one pixel of a face from the quantities the rasteriser
// hands it, blended into the picture. Each step names the quantities it wants, in order.
namespace SurfaceShading {

// The quantities across a face, in the rasteriser's corners.
enum Quantity {
    light,   // N·L of the light along the line of sight, 0 to 1 as 0 to lightOne
    shine,   // the highlight's strength (N·H)^power, 0 to lightOne
    reciprocal,  // the reciprocal distance, scaled within the triangle to at most reciprocalOne
    uOver,   // u times reciprocal, u in 2^20 per texture unit over reciprocalOne
    vOver,
    surfaceQuantities,
};
constexpr std::int64_t lightOne = 1 << 20;
constexpr std::int64_t reciprocalOne = 1 << 30;
constexpr int coordinateBits = 20;
// With a wire frame three more: the distance from each edge (16.16 pixels) at the pixel.
constexpr int wireQuantities = 3;
constexpr std::int64_t wireHalfWidth = 1 << 15;
constexpr std::int64_t farFromAnyEdge = std::int64_t{1} << 40;

// The face's colours in 12-bit fixed point (4096 is 1), as the shading needs them.
struct SurfaceColours {
    std::int32_t diffuse[3];   // times N·L
    std::int32_t constant[3];  // ambient times the ambient level, plus emissive
    std::int32_t specular[3];  // times the highlight (and 255), added after the texture
    std::int32_t alpha;        // 0 to 255: of an untextured face
    bool lit = true;           // false: texture times clamp(diffuse + emissive), no highlight
    bool highlight = false;
    bool textureWhite = false;
    bool alphaTest = false;
};

inline std::uint32_t blend(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a, std::uint32_t under) {
    if (a >= 255) return r << 16 | g << 8 | b;
    const std::uint32_t ur = under >> 16 & 0xFF, ug = under >> 8 & 0xFF, ub = under & 0xFF, keep = 255 - a;
    return ((r * a + ur * keep + 127) / 255) << 16 | ((g * a + ug * keep + 127) / 255) << 8 | ((b * a + ub * keep + 127) / 255);
}

template <int Count>
bool onWire(const RasterPixel<Count>& p, int first) {
    return std::min({p.value[first], p.value[first + 1], p.value[first + 2]}) < wireHalfWidth;
}

// The simulator's look: texture times the lit colour plus the highlight, the texture's alpha
// (or the material's, untextured) blending the face over what was drawn before it.
template <bool Wire>
struct Surface {
    static constexpr int quantities = surfaceQuantities + (Wire ? wireQuantities : 0);
    SurfaceColours colours;
    const TextureSampler* texture = nullptr;  // none: white, the material's alpha

    bool operator()(const RasterPixel<quantities>& p, std::uint32_t& pixel) const {
        std::uint32_t t[4] = {255, 255, 255, static_cast<std::uint32_t>(colours.alpha)};
        if (texture) {
            // One division a pixel, in floating point: from uOver / reciprocal to 16.16. The
            // quotients are well within a float's precision of a texel.
            constexpr float toFixed16 = static_cast<float>(std::int64_t{1} << (16 - coordinateBits + 30));
            const float r = toFixed16 / static_cast<float>(std::max<std::int64_t>(p.value[reciprocal], 1));
            // Within the triangle the quotients are under 2^31; at a pixel centre just outside
            // it the reciprocal may be near 0, and the quotient is held in range.
            constexpr float most = static_cast<float>(std::int64_t{1} << 40);
            const Texel s = texture->sample(static_cast<std::int64_t>(std::clamp(static_cast<float>(p.value[uOver]) * r, -most, most)),
                                            static_cast<std::int64_t>(std::clamp(static_cast<float>(p.value[vOver]) * r, -most, most)));
            if (colours.alphaTest && s.a < 128) return false;
            if (!colours.textureWhite) t[0] = s.r, t[1] = s.g, t[2] = s.b;
            t[3] = s.a;
        }
        // 12 bits each; the colours are at most 64 (2^18), so 32 bits hold every product.
        const auto l = static_cast<std::int32_t>(p.value[light] >> 8), h = static_cast<std::int32_t>(p.value[shine] >> 8);
        std::uint32_t c[3];
        for (int k = 0; k < 3; ++k) {
            std::int32_t lit = colours.constant[k];
            if (colours.lit) lit += (colours.diffuse[k] >> 6) * l >> 6;
            lit = std::clamp(lit, 0, 4096);
            std::int32_t v = static_cast<std::int32_t>(t[k]) * lit >> 12;
            if (colours.highlight) v += static_cast<std::int32_t>(std::int64_t{colours.specular[k]} * h * 255 >> 24);
            c[k] = static_cast<std::uint32_t>(std::clamp(v, 0, 255));
        }
        if (Wire && onWire(p, surfaceQuantities)) {
            pixel = ViewColours::wire;
            return true;
        }
        pixel = blend(c[0], c[1], c[2], t[3], pixel);
        return true;
    }
};

// The look without textures and materials' other colours: the diffuse colour, lit from the
// viewer on top of an ambient share, never darker than ViewColours::darkest; opaque.
template <bool Wire>
struct Plain {
    static constexpr int quantities = 1 + (Wire ? wireQuantities : 0);
    std::uint32_t colour = 0;

    bool operator()(const RasterPixel<quantities>& p, std::uint32_t& pixel) const {
        if (Wire && onWire(p, 1)) {
            pixel = ViewColours::wire;
            return true;
        }
        constexpr std::int64_t ambient = static_cast<std::int64_t>(ViewColours::ambient * 4096);
        const std::int64_t share = ambient + (((4096 - ambient) * (p.value[0] >> 8)) >> 12);
        std::uint32_t result = 0;
        for (int shift = 16; shift >= 0; shift -= 8) {
            const std::int64_t v = (static_cast<std::int64_t>(colour >> shift & 0xFF) * share + 2048) >> 12;
            result |= static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, ViewColours::darkest, 255)) << shift;
        }
        pixel = result;
        return true;
    }
};

// A face seen from the side the simulator culls: one colour, unlit.
template <bool Wire>
struct BackFace {
    static constexpr int quantities = 1 + (Wire ? wireQuantities : 0);
    bool operator()(const RasterPixel<quantities>& p, std::uint32_t& pixel) const {
        pixel = Wire && onWire(p, 1) ? ViewColours::wire : ViewColours::backFace;
        return true;
    }
};

}  // namespace SurfaceShading
