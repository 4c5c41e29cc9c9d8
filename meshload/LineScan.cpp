#include "LineScan.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace LineScan {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t skipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && isSpace(s[i])) ++i;
    return i;
}

}  // namespace

bool readWhole(std::string_view s, std::size_t& i, std::int32_t& value) {
    std::size_t p = skipSpace(s, i);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p >= s.size() || !isDigit(s[p])) return false;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    std::int64_t v = 0;
    for (; p < s.size() && isDigit(s[p]); ++p)
        if (v <= limit) v = v * 10 + (s[p] - '0');
    if (v > limit) v = limit;
    value = static_cast<std::int32_t>(negative ? -v : v);
    i = p;
    return true;
}

bool readHex(std::string_view s, std::size_t& i, std::uint32_t& value) {
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    std::size_t p = skipSpace(s, i);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p + 2 < s.size() && s[p] == '0' && (s[p + 1] == 'x' || s[p + 1] == 'X') && digit(s[p + 2]) >= 0) p += 2;
    if (p >= s.size() || digit(s[p]) < 0) return false;
    std::uint32_t v = 0;
    for (; p < s.size() && digit(s[p]) >= 0; ++p) v = v * 16 + static_cast<std::uint32_t>(digit(s[p]));
    value = negative ? 0u - v : v;
    i = p;
    return true;
}

// The C library's own reading, correctly rounded to a float as the loader's %f reads into
// one: hexadecimal floats, nan and inf included; a value just above the largest float still
// rounds to it, one beyond that is infinite. A line is at most 256 bytes, which the copy holds.
bool readReal(std::string_view s, std::size_t& i, double& value) {
    char text[512];
    const std::size_t n = std::min(s.size() - std::min(i, s.size()), sizeof text - 1);
    std::memcpy(text, s.data() + i, n);
    text[n] = '\0';
    char* end = text;
    const float v = std::strtof(text, &end);
    if (end == text) return false;
    value = v;
    i += static_cast<std::size_t>(end - text);
    return true;
}

std::string_view firstWord(std::string_view line, std::size_t& rest) {
    std::size_t begin = skipSpace(line, 0), end = begin;
    while (end < line.size() && !isSpace(line[end])) ++end;
    rest = end;
    return line.substr(begin, end - begin);
}

std::string_view trimmed(std::string_view s, std::size_t i) {
    std::size_t begin = skipSpace(s, i), end = s.size();
    while (end > begin && isSpace(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

}  // namespace LineScan
