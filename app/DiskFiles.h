#pragma once

#include <windows.h>

#include "TextureFiles.h"

// Answers the mesh check's and the view's questions about texture files from the file system.
class DiskFiles : public TextureFiles {
public:
    bool exists(const std::string& path) const override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool stamp(const std::string& path, FileStamp& stamp) const override;
    bool read(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) const override;
};
