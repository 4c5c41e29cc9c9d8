#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Cuts bytes fed in pieces (which may split lines anywhere) into the lines the loader reads
// in text mode: LF ends a line, and the CR of a CR LF is not part of it. Counts the lines
// from 1 and keeps no more of a line than its first 256 bytes, so that a line over 255
// characters is known as such, whatever its length.
class LineAssembly {
public:
    static constexpr std::size_t maxLine = 255;

    struct Line {
        std::uint64_t number = 0;  // 1-based
        std::string_view text;     // without its line end; of a line too long, the first 256 bytes
        bool tooLong = false;      // over maxLine characters
    };

    // Hands each line that ends in these bytes to onLine(const Line&).
    template <class OnLine>
    void feed(const char* bytes, std::size_t count, OnLine&& onLine) {
        const char* end = bytes + count;
        while (bytes < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(end - bytes)));
            const char* stop = lineEnd ? lineEnd : end;
            append(bytes, static_cast<std::size_t>(stop - bytes));
            if (!lineEnd) return;
            onLine(endLine());
            bytes = lineEnd + 1;
        }
    }
    // A last line without a line end, if there is one.
    template <class OnLine>
    void finish(OnLine&& onLine) {
        if (length > 0) onLine(endLine());
    }
    void reset() { *this = LineAssembly(); }
    // The lines ended so far.
    std::uint64_t lines() const { return lineNumber; }

private:
    void append(const char* bytes, std::size_t n) {
        if (n == 0) return;
        if (length < sizeof buffer) std::memcpy(buffer + length, bytes, n < sizeof buffer - length ? n : sizeof buffer - length);
        length += n;
        lastByte = bytes[n - 1];
    }
    Line endLine() {
        const std::size_t characters = length - (length > 0 && lastByte == '\r' ? 1 : 0);
        Line line;
        line.number = ++lineNumber;
        line.tooLong = characters > maxLine;
        line.text = std::string_view(buffer, characters < sizeof buffer ? characters : sizeof buffer);
        length = 0;
        lastByte = '\0';
        return line;
    }

    char buffer[maxLine + 1] = {};
    std::size_t length = 0;  // bytes of the current line so far, the buffer holds the first 256
    char lastByte = '\0';
    std::uint64_t lineNumber = 0;
};
