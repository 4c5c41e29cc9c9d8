#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Cuts bytes fed in pieces (which may split lines anywhere) into the lines the loader reads
// in text mode: LF ends a line, and the CR of a CR LF is not part of it. Counts the lines
// from 1 and keeps no more of a line than its first 256 bytes. A line over 255 characters is
// handed on as soon as that is known, before its end, and the rest of it is passed over: the
// reader may stop there, however long the line is.
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
            // 257 bytes and no line end yet: 256 characters at least, whatever ends the line.
            if (!overlong && length > maxLine + 1) {
                onLine(endLine());
                overlong = true;
            }
            if (!lineEnd) return;
            if (overlong) overlong = false;
            else onLine(endLine());
            bytes = lineEnd + 1;
        }
    }
    // A last line without a line end, if there is one.
    template <class OnLine>
    void finish(OnLine&& onLine) {
        if (length > 0 && !overlong) onLine(endLine());
        overlong = false;
        length = 0;
    }
    void reset() { *this = LineAssembly(); }
    // The lines ended so far.
    std::uint64_t lines() const { return lineNumber; }

private:
    void append(const char* bytes, std::size_t n) {
        if (n == 0 || overlong) return;
        if (length < sizeof buffer) std::memcpy(buffer + length, bytes, n < sizeof buffer - length ? n : sizeof buffer - length);
        length += n;
        lastByte = bytes[n - 1];
    }
    Line endLine() {
        const std::size_t characters = length - (length > 0 && lastByte == '\r' ? 1 : 0);
        Line line;
        line.number = ++lineNumber;
        line.tooLong = overlong || characters > maxLine;
        line.text = std::string_view(buffer, characters < sizeof buffer ? characters : sizeof buffer);
        length = 0;
        lastByte = '\0';
        return line;
    }

    char buffer[maxLine + 1] = {};
    std::size_t length = 0;  // bytes of the current line so far, the buffer holds the first 256
    char lastByte = '\0';
    bool overlong = false;  // the current line was handed on as too long; its rest is passed over
    std::uint64_t lineNumber = 0;
};
