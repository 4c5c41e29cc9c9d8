#pragma once

#include <cstdint>

// The planes of the view's frustum in the order the renderer cuts by them, and the bit of
// each in a vertex's outcode (set: the vertex lies outside that plane).
namespace ClipPlanes {
enum Bit : std::uint8_t { nearPlane = 1, left = 2, right = 4, top = 8, bottom = 16 };
constexpr int count = 5;
constexpr std::uint8_t order[count] = {nearPlane, left, right, top, bottom};
}  // namespace ClipPlanes
