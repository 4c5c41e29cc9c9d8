#pragma once

#include <string>

// The largest side a texture may have: the simulator's own largest is 8192 (a ring strip).
constexpr int kMaxTextureSide = 8192;

// Why a side is not read ("DDS image of 0 x 16 texels not read: ..."), or empty when both
// sides lie in 1..kMaxTextureSide. kind names the file's format.
inline std::string badTextureSize(const char* kind, long long width, long long height) {
    if (width >= 1 && height >= 1 && width <= kMaxTextureSide && height <= kMaxTextureSide) return {};
    std::string size = std::string(kind) + " image of " + std::to_string(width) + " x " + std::to_string(height) +
                       " texels not read: ";
    if (width < 1 || height < 1) return size + "a side is zero or negative";
    return size + "a side is over " + std::to_string(kMaxTextureSide);
}
