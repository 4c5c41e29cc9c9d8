#pragma once

#include <cstdint>

// Little-endian numbers at a byte position; the caller has checked that they lie in the file.
namespace LittleEndian {

inline std::uint16_t u16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
inline std::uint32_t u32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline std::int32_t i32(const std::uint8_t* p) { return std::int32_t(u32(p)); }

}  // namespace LittleEndian
