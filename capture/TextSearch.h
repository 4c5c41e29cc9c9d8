#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Byte searches for the marker tests (portable: Windows has no memmem).

// Whether needle occurs in haystack. The scan runs memchr on the needle's byte at
// anchor, which should be a byte that is rare in the text (for the end marker its "X":
// mesh lines are full of hyphens but hold no capital X), then compares the whole needle.
inline bool containsBytes(std::string_view haystack, std::string_view needle, std::size_t anchor = 0) {
    if (needle.empty()) return true;
    if (haystack.size() < needle.size()) return false;
    const char* first = haystack.data() + anchor;
    const char* last = haystack.data() + (haystack.size() - needle.size()) + anchor;
    for (const char* p = first; p <= last; ++p) {
        p = static_cast<const char*>(std::memchr(p, needle[anchor], static_cast<std::size_t>(last - p) + 1));
        if (!p) return false;
        if (std::memcmp(p - anchor, needle.data(), needle.size()) == 0) return true;
    }
    return false;
}

// Whether text holds CR LF. Searched from the end: listener pieces are mostly whole
// lines, whose CR LF is their last two bytes.
inline bool containsCrLf(std::string_view text) {
    for (std::size_t i = text.size(); i >= 2; --i)
        if (text[i - 1] == '\n' && text[i - 2] == '\r') return true;
    return false;
}
