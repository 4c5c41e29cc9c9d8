#pragma once

#include <cstddef>
#include <string>

// What the capture asks of the mesh check: forget the last mesh when a new one starts, take
// the mesh's bytes as they reach the file, and give the line the log shows at the end.
class MeshVerdict {
public:
    virtual ~MeshVerdict() = default;

    // A mesh starts that is saved at meshPath.
    virtual void reset(const std::string& meshPath) = 0;
    // The next bytes of the mesh, as they reach the file: pieces may split lines anywhere.
    virtual void feed(const char* bytes, std::size_t count) = 0;
    // The mesh is complete: the line for the log, without its line end.
    virtual std::string verdict() = 0;
};
