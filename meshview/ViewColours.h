#pragma once

#include <cstdint>

// The colours of the mesh view, as 0xRRGGBB (the byte order of a 32-bit bottom-up or top-down
// device-independent bitmap in memory: blue, green, red, unused).
namespace ViewColours {
constexpr std::uint32_t background = 0x202838;
// A face seen from the side the simulator culls.
constexpr std::uint32_t backFace = 0xFF00FF;
constexpr std::uint32_t wire = 0x101010;
// The simulator's default material, and a group whose material index is not in the list.
constexpr std::uint32_t defaultMaterial = 0xC0C0C0;
// Light that reaches every face, as a share of its colour, and the least any channel of a
// lit face shows, so that no drawn face is black.
constexpr float ambient = 0.35f;
constexpr std::uint32_t darkest = 36;
// In the simulator's look: the level a material's ambient colour is lit at. The simulator's
// is lower still (faces turned from its sun are nearly black), but here the light comes from
// the viewer and only faces at a glancing angle get little of it.
constexpr float ambientLevel = 0.1f;
}  // namespace ViewColours
