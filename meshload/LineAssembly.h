#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Cuts bytes fed in pieces (which may split lines anywhere) into the lines the loader reads
// in text mode: LF ends a line, the CR of a CR LF is not part of it (a lone CR is, and counts
// as a character), a Ctrl-Z byte ends the text, and a NUL byte ends a line's text (its bytes
// still count towards its length). Counts the lines
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
        if (ended) return;
        const char* end = bytes + count;
        if (const void* endOfText = std::memchr(bytes, endOfTextByte, count)) {
            end = static_cast<const char*>(endOfText);
            ended = true;
        }
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
    // A Ctrl-Z was fed: nothing after it is read.
    bool textEnded() const { return ended; }

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
        line.text = line.text.substr(0, line.text.find('\0'));
        length = 0;
        lastByte = '\0';
        return line;
    }

    char buffer[maxLine + 1] = {};
    std::size_t length = 0;  // bytes of the current line so far, the buffer holds the first 256
    char lastByte = '\0';
    static constexpr char endOfTextByte = '\x1a';
    bool ended = false;     // a Ctrl-Z was fed
    bool overlong = false;  // the current line was handed on as too long; its rest is passed over
    std::uint64_t lineNumber = 0;
};
