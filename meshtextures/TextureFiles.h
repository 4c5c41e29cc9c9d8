#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FileLookup.h"

// When a file was last written and how large it is: a file whose stamp is unchanged holds
// what it held.
struct FileStamp {
    std::uint64_t size = 0, written = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && written == other.written; }
};

// The file system as reading textures needs it: the program asks the disk, tests a fake.
// Called from the thread that reads the textures.
class TextureFiles : public FileLookup {
public:
    // False when there is no such file.
    virtual bool stamp(const std::string& path, FileStamp& stamp) const = 0;
    // The whole file; false when it cannot be read or is larger than limit bytes.
    virtual bool read(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) const = 0;
    bool exists(const std::string& path) const override {
        FileStamp unused;
        return stamp(path, unused);
    }
};
