#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MeshModel.h"
#include "Texture.h"
#include "TextureFiles.h"

// What the view draws for one entry of a mesh's texture list: the texture, or why not.
struct TextureSlot {
    std::shared_ptr<const Texture> texture;  // null: not drawn
    std::string path;                        // the file read, where one was found
    std::string problem;                     // "not found", or why the file was not read
};

// Finds the textures of a mesh where the simulator looks for them and reads them, keeping
// each one read for the next mesh while its file is unchanged (by size and time written).
// Keeps only the textures of the last mesh. Not for two threads at once.
class MeshTextures {
public:
    // One slot per entry of the list; entries that no group uses, and "0", stay empty
    // without a problem. A mesh not saved below a Meshes folder gets none.
    std::vector<TextureSlot> read(const std::string& meshPath, const MeshModel& model, const TextureFiles& files);

private:
    struct Kept {
        FileStamp stamp;
        bool dynamic = false;
        TextureSlot slot;
    };
    std::map<std::string, Kept> kept;  // by the path read
};

// The texture list entries that some group of the model draws with.
std::vector<bool> texturesUsed(const MeshModel& model);

// What the status line says of the textures not drawn: "2 of 10 textures not drawn:
// DG\x.dds not found", empty when all are drawn; for a mesh outside a Meshes folder that
// uses textures, "saved outside a Meshes folder: no textures".
std::string texturesNotDrawn(const std::string& meshPath, const MeshModel& model, const std::vector<TextureSlot>& slots);
