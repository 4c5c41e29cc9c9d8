#pragma once

#include <cstddef>
#include <cstdint>
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

    // The text is no longer than this (a file's length): a group's vertices then get their
    // room at once, as many as its header counts and the rest of the text can hold as
    // "0 0 0" lines, instead of growing into it.
    void expectAtMost(std::uint64_t bytes);
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
