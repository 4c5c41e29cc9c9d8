#pragma once

#include <string>

#include "FileLookup.h"
#include "MeshCheck.h"
#include "MeshVerdict.h"

// The program's verdict: the mesh check, which looks up the mesh's texture files with files
// when the mesh is saved below a Meshes folder.
class MeshCheckVerdict : public MeshVerdict {
public:
    explicit MeshCheckVerdict(const FileLookup* files = nullptr) : files(files) {}

    void reset(const std::string& meshPath) override { check.reset(meshPath, files); }
    void feed(const char* bytes, std::size_t count) override { check.feed(bytes, count); }
    std::string verdict() override { return check.verdict(); }

private:
    const FileLookup* files;
    MeshCheck check;
};
