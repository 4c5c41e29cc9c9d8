#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Input that stb_image as packaged mishandles, checked before it is given the bytes: each
// gives the reason a file is not read, or empty when it may be.

// A Huffman table of more than 256 codes makes the decoder write past its tables. Every table
// that could be read is checked: each DHT marker anywhere in the file (the decoder finds
// markers wherever FF C4 stands), read as the decoder reads it, the bytes past the end as 0.
std::string jpegTableFault(const std::uint8_t* bytes, std::size_t size);

// A chunk longer than the rest of the file has the decoder allocate its claimed length (up to
// 2 GB) before it finds the data missing; an empty first image data chunk has it copy nothing
// to a null pointer (undefined behaviour that a compiler may turn into a skipped check). The
// chunks up to IEND are walked as the decoder walks them.
std::string pngChunkFault(const std::uint8_t* bytes, std::size_t size);
