#pragma once

#include <cstdint>
#include <vector>

#include "VectorMath.h"

// A vertex in integers, for a renderer that does little floating point: its position in
// units of 2^-20 of the mesh's size (the geometry's units), its unit normal scaled to 2^14.
struct FixedVertex {
    static constexpr float perUnit = 1 << 20;
    static constexpr float normalOne = 1 << 14;
    std::int32_t x, y, z;
    std::int16_t nx, ny, nz;

    Vec3 position() const { return Vec3{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)} * (1 / perUnit); }
};
