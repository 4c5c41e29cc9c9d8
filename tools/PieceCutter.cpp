#include "PieceCutter.h"

#include "CaptureTexts.h"

namespace PieceCutter {

const std::string endMarkerLine = std::string(CaptureTexts::endMarker) + "\r\n";

std::string toCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += c;
    }
    return out;
}

std::vector<std::string> lines(std::string_view text) { return lineGroups(text, 1); }

std::vector<std::string> lineGroups(std::string_view text, std::size_t linesPerPiece) {
    std::vector<std::string> pieces;
    if (linesPerPiece == 0) linesPerPiece = 1;
    std::size_t begin = 0;
    std::size_t inPiece = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && ++inPiece == linesPerPiece) {
            pieces.emplace_back(text.substr(begin, i + 1 - begin));
            begin = i + 1;
            inPiece = 0;
        }
    }
    if (begin < text.size()) pieces.emplace_back(text.substr(begin));
    return pieces;
}

std::vector<std::string> chunks(std::string_view text, std::uint32_t seed,
                                std::size_t minSize, std::size_t maxSize) {
    // splitmix32-style generator: the same pieces on every platform for the same seed.
    std::uint32_t state = seed;
    auto next = [&state] {
        std::uint32_t z = (state += 0x9E3779B9u);
        z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
        z = (z ^ (z >> 13)) * 0xC2B2AE35u;
        return z ^ (z >> 16);
    };
    if (minSize == 0) minSize = 1;
    if (maxSize < minSize) maxSize = minSize;
    std::vector<std::string> pieces;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t size = minSize + next() % (maxSize - minSize + 1);
        pieces.emplace_back(text.substr(at, size));
        at += size;
    }
    return pieces;
}

std::vector<std::string> chatterBefore() {
    return {"-- Orbiter mesh export\r\n", "OK\r\n", "Exporting 1 object(s)\r\n",
            "\r\n", " MSHX1 is the header of the file\r\n", "MSHX\r\n"};
}

std::vector<std::string> chatterAfter() {
    return {endMarkerLine, "OK\r\n", "Export finished\r\n"};
}

}  // namespace PieceCutter
