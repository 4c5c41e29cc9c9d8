#pragma once

#include <string>
#include <utility>

#include "Texture.h"

// What reading a texture file gave: the texture, or why it was not read.
struct TextureReadResult {
    Texture texture;     // empty (no levels) when not read
    std::string reason;  // empty when read

    bool ok() const { return reason.empty(); }

    static TextureReadResult read(Texture texture) {
        TextureReadResult result;
        result.texture = std::move(texture);
        return result;
    }
    static TextureReadResult failed(std::string reason) {
        TextureReadResult result;
        result.reason = std::move(reason);
        return result;
    }
};
