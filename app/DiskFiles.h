#pragma once

#include <windows.h>

#include "FileLookup.h"

// Answers the mesh check's questions about texture files from the file system.
class DiskFiles : public FileLookup {
public:
    bool exists(const std::string& path) const override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
};
