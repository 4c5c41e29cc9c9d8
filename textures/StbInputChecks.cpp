#include "StbInputChecks.h"

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

}  // namespace

std::string jpegTableFault(const std::uint8_t* bytes, std::size_t size) {
    auto byteAt = [&](std::size_t at) -> unsigned { return at < size ? bytes[at] : 0; };
    for (std::size_t marker = 0; marker + 1 < size; ++marker) {
        if (bytes[marker] != 0xff || bytes[marker + 1] != 0xc4) continue;
        std::size_t at = marker + 2;
        long remaining = long(byteAt(at) << 8 | byteAt(at + 1)) - 2;
        at += 2;
        while (remaining > 0 && at < size) {
            const unsigned kind = byteAt(at);
            if (kind >> 4 > 1 || (kind & 15) > 3) break;  // the decoder refuses the table itself
            unsigned codes = 0;
            for (int length = 0; length < 16; ++length) codes += byteAt(at + 1 + length);
            if (codes > 256)
                return "JPEG file not read: a Huffman table of " + std::to_string(codes) + " codes (256 at most)";
            at += 17 + codes;
            remaining -= long(17 + codes);
        }
    }
    return {};
}

std::string pngChunkFault(const std::uint8_t* bytes, std::size_t size) {
    // After the signature: length, type, data, CRC.
    bool imageData = false;
    for (std::uint64_t at = 8; at + 8 <= size;) {
        const std::uint32_t length = bigEndian32(bytes + at), type = bigEndian32(bytes + at + 4);
        if (at + 8 + length > size)
            return "PNG file not read: a chunk of " + std::to_string(length) + " bytes at byte " + std::to_string(at) +
                   " runs past the end of the file (" + std::to_string(size) + " bytes)";
        if (type == 0x49444154u) {  // IDAT
            if (length == 0 && !imageData) return "PNG file not read: its first image data chunk is empty";
            imageData = true;
        }
        if (type == 0x49454e44u) break;  // IEND
        at += 12 + std::uint64_t(length);
    }
    return {};
}
