#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reading numbers and words from a mesh line as the loader's C library does: white space
// is blanks, tabs, CR, VT and FF; a number ends at the first byte that cannot continue it.
namespace LineScan {

// A whole decimal number after white space, as %d reads it; on success i is moved past it.
// Values beyond 32 bits are clamped, whatever the width of the platform's long.
bool readWhole(std::string_view s, std::size_t& i, std::int32_t& value);
// A hexadecimal number after white space, as %x reads it: an optional sign and 0x, then hex
// digits; kept to its low 32 bits. On success i is moved past it.
bool readHex(std::string_view s, std::size_t& i, std::uint32_t& value);
// A real number after white space, as %f reads it into a float: decimal or hexadecimal, nan,
// inf and infinity in any case, rounded to the nearest float; on success i is moved past it.
bool readReal(std::string_view s, std::size_t& i, double& value);
// The first word of the line; rest is set to where it ends.
std::string_view firstWord(std::string_view line, std::size_t& rest);
// The text from i on without leading and trailing white space.
std::string_view trimmed(std::string_view s, std::size_t i);
bool equalNoCase(std::string_view a, std::string_view b);

}  // namespace LineScan
