#pragma once

// Small texture files built byte by byte for the reader tests.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = std::uint8_t(v >> (8 * k));
}
inline void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}
inline void append(Bytes& b, std::initializer_list<unsigned> bytes) {
    for (unsigned v : bytes) b.push_back(std::uint8_t(v));
}
inline void append16(Bytes& b, std::uint16_t v) { append(b, {v & 0xffu, unsigned(v) >> 8}); }
inline void append32(Bytes& b, std::uint32_t v) { append(b, {v & 0xffu, v >> 8 & 0xffu, v >> 16 & 0xffu, v >> 24}); }

// A DDS pixel format: a FourCC, or flags, bits a texel and masks.
struct DdsFormat {
    std::uint32_t flags;
    const char* fourCc;
    std::uint32_t bits, r, g, b, a;
};
inline DdsFormat dxt(const char* code) { return {0x4, code, 0, 0, 0, 0, 0}; }
inline const DdsFormat kA8R8G8B8{0x41, "", 32, 0xff0000, 0xff00, 0xff, 0xff000000};
inline const DdsFormat kX8R8G8B8{0x40, "", 32, 0xff0000, 0xff00, 0xff, 0};
inline const DdsFormat kR8G8B8{0x40, "", 24, 0xff0000, 0xff00, 0xff, 0};
inline const DdsFormat kA4R4G4B4{0x41, "", 16, 0xf00, 0xf0, 0xf, 0xf000};
inline const DdsFormat kR5G6B5{0x40, "", 16, 0xf800, 0x7e0, 0x1f, 0};
inline const DdsFormat kA1R5G5B5{0x41, "", 16, 0x7c00, 0x3e0, 0x1f, 0x8000};
inline const DdsFormat kL8{0x20000, "", 8, 0xff, 0, 0, 0};
inline const DdsFormat kA8{0x2, "", 8, 0, 0, 0, 0xff};

// A DDS file: header (mipCount with its flag when above 0), then data as given.
inline Bytes ddsFile(std::uint32_t width, std::uint32_t height, const DdsFormat& format, const Bytes& data,
                     std::uint32_t mipCount = 0) {
    Bytes b(128 + data.size(), 0);
    std::memcpy(b.data(), "DDS ", 4);
    put32(b, 4, 124);
    put32(b, 8, 0x1007 | (mipCount ? 0x20000 : 0));
    put32(b, 12, height);
    put32(b, 16, width);
    put32(b, 28, mipCount);
    put32(b, 76, 32);
    put32(b, 80, format.flags);
    if (*format.fourCc) std::memcpy(&b[84], format.fourCc, 4);
    put32(b, 88, format.bits);
    put32(b, 92, format.r);
    put32(b, 96, format.g);
    put32(b, 100, format.b);
    put32(b, 104, format.a);
    put32(b, 108, 0x1000 | (mipCount > 1 ? 0x400008 : 0));
    std::copy(data.begin(), data.end(), b.begin() + 128);
    return b;
}

// A BMP file with a 40-byte header, followed by three bit fields, or of 56 bytes holding four
// (alpha the fourth), when masks are given; rows as given, each already padded. A negative
// height stores them top down.
inline Bytes bmpFile(std::int32_t width, std::int32_t height, unsigned bits, const Bytes& rows,
                     std::initializer_list<std::uint32_t> masks = {}) {
    Bytes b = {'B', 'M'};
    const std::uint32_t offset = 14 + 40 + 4 * std::uint32_t(masks.size());
    append32(b, std::uint32_t(offset + rows.size()));
    append32(b, 0);
    append32(b, offset);
    append32(b, masks.size() == 4 ? 56 : 40);
    append32(b, std::uint32_t(width));
    append32(b, std::uint32_t(height));
    append16(b, 1);
    append16(b, std::uint16_t(bits));
    append32(b, masks.size() ? 3 : 0);
    for (int k = 0; k < 5; ++k) append32(b, 0);
    for (std::uint32_t m : masks) append32(b, m);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}
