#include "LineScan.h"

#include <cmath>
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

bool hasWordAt(std::string_view s, std::size_t p, std::string_view word) {
    return s.size() - p >= word.size() && equalNoCase(s.substr(p, word.size()), word);
}

// 10 to the power e, exactly for the powers a double holds exactly.
double powerOfTen(int e) {
    static const double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return e >= 0 && e <= 22 ? exact[e] : std::pow(10.0, e);
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

// Up to 19 significant digits are kept in an integer and scaled once: exact for the short
// decimals exporters write, within a unit of the last place otherwise.
bool readReal(std::string_view s, std::size_t& i, double& value) {
    std::size_t p = skipSpace(s, i);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p < s.size() && !isDigit(s[p]) && s[p] != '.' && (hasWordAt(s, p, "nan") || hasWordAt(s, p, "inf"))) {
        const bool nan = upper(s[p]) == 'N';
        p += 3;
        if (!nan && hasWordAt(s, p, "inity")) p += 5;
        value = nan ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
        if (negative) value = -value;
        i = p;
        return true;
    }
    // Digits beyond the 19th change nothing a float can hold: those before the point only
    // scale the value, those after it are dropped.
    std::uint64_t mantissa = 0;
    int kept = 0, scale = 0;
    const std::size_t integerStart = p;
    for (; p < s.size() && isDigit(s[p]); ++p) {
        if (kept < 19) {
            mantissa = mantissa * 10 + static_cast<unsigned>(s[p] - '0');
            kept += mantissa != 0;
        } else {
            ++scale;
        }
    }
    std::size_t digits = p - integerStart;
    if (p < s.size() && s[p] == '.') {
        const std::size_t fractionStart = ++p;
        for (; p < s.size() && isDigit(s[p]); ++p) {
            if (kept < 19) {
                mantissa = mantissa * 10 + static_cast<unsigned>(s[p] - '0');
                kept += mantissa != 0;
                --scale;
            }
        }
        digits += p - fractionStart;
    }
    if (digits == 0) return false;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        std::size_t q = p + 1;
        bool negativeExponent = false;
        if (q < s.size() && (s[q] == '+' || s[q] == '-')) negativeExponent = s[q++] == '-';
        if (q < s.size() && isDigit(s[q])) {
            int exponent = 0;
            for (p = q; p < s.size() && isDigit(s[p]); ++p)
                if (exponent < 10000) exponent = exponent * 10 + (s[p] - '0');
            scale += negativeExponent ? -exponent : exponent;
        }
    }
    double v = static_cast<double>(mantissa);
    if (mantissa == 0) scale = 0;  // zero whatever its exponent
    if (scale < 0) v /= powerOfTen(-scale);
    else if (scale > 0) v *= powerOfTen(scale);
    value = negative ? -v : v;
    i = p;
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
