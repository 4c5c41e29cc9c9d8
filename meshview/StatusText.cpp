#include "StatusText.h"

#include "MeshFigures.h"

using MeshFigures::counted;

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string StatusText::size(Vec3 extent) { return MeshFigures::size(extent.x, extent.y, extent.z); }

std::string StatusText::summary(const MeshModel& model, Vec3 extent) {
    std::size_t vertices = 0, triangles = 0;
    for (const MeshGroup& g : model.groups) {
        vertices += g.positions.size();
        triangles += g.indices.size() / 3;
    }
    return size(extent) + ", " + counted(model.groups.size(), "group", "groups") + ", " +
           counted(vertices, "vertex", "vertices") + ", " + counted(triangles, "triangle", "triangles");
}

// An index the lists do not hold gives the default material or no texture, as in the
// simulator; the text says so.
std::string StatusText::group(const MeshModel& model, std::size_t groupIndex) {
    if (groupIndex >= model.groups.size()) return {};
    const MeshGroup& g = model.groups[groupIndex];
    std::string text = "Group " + std::to_string(g.number) + " (GEOM in line " + std::to_string(g.geomLine) + "), ";
    text += g.label.empty() ? "no label" : "label " + quoted(g.label);

    text += ", material " + std::to_string(g.material);
    if (g.material == 0) text += " (default)";
    else if (g.material < 0 || static_cast<std::size_t>(g.material) > model.materials.size())
        text += " (not in the list: default)";
    else text += " " + quoted(model.materials[static_cast<std::size_t>(g.material) - 1].name);

    text += ", texture " + std::to_string(g.texture);
    if (g.texture == 0) text += " (none)";
    else if (g.texture < 0 || static_cast<std::size_t>(g.texture) > model.textures.size())
        text += " (not in the list: none)";
    else {
        const std::string& name = model.textures[static_cast<std::size_t>(g.texture) - 1].name;
        text += " " + quoted(name) + (name == "0" ? " (none)" : "");
    }
    return text;
}
