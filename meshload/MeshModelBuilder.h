#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "MeshModel.h"

// Builds what the simulator holds after loading a mesh text, fed in pieces that may split
// lines anywhere, by the same reading of the loader's rules as the mesh check.
class MeshModelBuilder {
public:
    MeshModelBuilder();
    ~MeshModelBuilder();
    MeshModelBuilder(const MeshModelBuilder&) = delete;
    MeshModelBuilder& operator=(const MeshModelBuilder&) = delete;

    void feed(const char* bytes, std::size_t count);
    // The loader reads nothing more of the text: the rest need not be fed.
    bool readsNoMore() const;
    // Ends the text and hands over the model; the builder starts afresh.
    MeshModel finish();

private:
    struct State;
    std::unique_ptr<State> state;
};

// The whole text at once.
MeshModel buildMeshModel(std::string_view text);
