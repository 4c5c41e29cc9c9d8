#include "MeshTextures.h"

#include <new>
#include <utility>

#include "TextureFolders.h"
#include "TextureLimits.h"
#include "TextureReader.h"

namespace {

// The largest texture file read: a side of 8192 texels at 4 bytes each, with its mip levels
// and the headers; anything larger cannot be a texture the simulator reads.
constexpr std::uint64_t largestFile = std::uint64_t{kMaxTextureSide} * kMaxTextureSide * 4 * 4 / 3 + 4096;

bool named(const MeshTexture& t) { return !t.name.empty() && t.name != "0"; }

}  // namespace

std::vector<bool> texturesUsed(const MeshModel& model) {
    std::vector<bool> used(model.textures.size(), false);
    for (const MeshGroup& g : model.groups)
        if (g.texture >= 1 && static_cast<std::size_t>(g.texture) <= used.size()) used[static_cast<std::size_t>(g.texture) - 1] = true;
    return used;
}

std::vector<TextureSlot> MeshTextures::read(const std::string& meshPath, const MeshModel& model, const TextureFiles& files) {
    std::vector<TextureSlot> slots(model.textures.size());
    const auto folder = simulatorFolderOf(meshPath);
    if (!folder) {
        kept.clear();
        return slots;
    }
    const std::vector<bool> used = texturesUsed(model);
    std::map<std::string, Kept> keep;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const MeshTexture& entry = model.textures[i];
        if (!used[i] || !named(entry)) continue;
        const auto path = textureFileOf(*folder, entry.name, files);
        FileStamp stamp;
        if (!path || !files.stamp(*path, stamp)) {
            slots[i].problem = "not found";
            continue;
        }
        slots[i].path = *path;
        const auto again = keep.find(*path);
        if (again != keep.end() && again->second.dynamic == entry.dynamic) {
            slots[i] = again->second.slot;
            continue;
        }
        const auto before = kept.find(*path);
        if (before != kept.end() && before->second.stamp == stamp && before->second.dynamic == entry.dynamic) {
            slots[i] = before->second.slot;
        } else {
            try {
                std::vector<std::uint8_t> bytes;
                if (!files.read(*path, largestFile, bytes)) {
                    slots[i].problem = "could not be read";
                } else {
                    TextureReadResult result = readTexture(bytes.data(), bytes.size(), entry.dynamic ? TextureFlag::D : TextureFlag::None);
                    if (result.ok()) slots[i].texture = std::make_shared<const Texture>(std::move(result.texture));
                    else slots[i].problem = result.reason;
                }
            } catch (const std::bad_alloc&) {
                slots[i].problem = "not enough memory";
            }
        }
        keep[*path] = {stamp, entry.dynamic, slots[i]};
    }
    kept = std::move(keep);
    return slots;
}

std::string texturesNotDrawn(const std::string& meshPath, const MeshModel& model, const std::vector<TextureSlot>& slots) {
    const std::vector<bool> used = texturesUsed(model);
    std::size_t wanted = 0, missing = 0;
    std::string first;
    for (std::size_t i = 0; i < model.textures.size(); ++i) {
        if (!used[i] || !named(model.textures[i])) continue;
        ++wanted;
        if (i < slots.size() && slots[i].texture) continue;
        if (++missing == 1) first = model.textures[i].name + " " + (i < slots.size() ? slots[i].problem : "not read");
    }
    if (wanted == 0) return {};
    if (!simulatorFolderOf(meshPath)) return "saved outside a Meshes folder: no textures";
    if (missing == 0) return {};
    return std::to_string(missing) + " of " + std::to_string(wanted) + (wanted == 1 ? " texture" : " textures") +
           " not drawn: " + first;
}
