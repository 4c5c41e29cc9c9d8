#include "MeshCheck.h"

#include <cmath>

#include "MeshFigures.h"
#include "TextureFolders.h"
#include "VectorMath.h"

namespace {

std::string groupName(int group) { return "group " + std::to_string(group); }

// What the loader makes of a vertex line whose numbers do not fill whole fields; nullptr
// when they do. Without NONORMAL it reads x y z nx ny nz u v, with it x y z u v.
const char* misplacedNumbers(int numbers, bool noNormal) {
    if (noNormal) {
        if (numbers == 4) return "Orbiter reads u without v (v = 0)";
        return numbers > 5 ? "Orbiter takes the 4th and 5th for u and v" : nullptr;
    }
    switch (numbers) {
    case 4: return "Orbiter takes the 4th for part of the normal";
    case 5: return "Orbiter takes u and v for the normal and loses the texture coordinates";
    case 7: return "Orbiter takes the 7th for u and reads no v (v = 0)";
    default: return nullptr;
    }
}

}  // namespace

void MeshCheck::reset(std::string path, const FileLookup* lookup) {
    reader.reset();
    seen = Seen();
    meshPath = std::move(path);
    files = lookup;
}

void MeshCheck::onGroupCount(int groups) { seen.groups = groups; }

void MeshCheck::onGroup(const GroupHeader& header) {
    if (seen.found) return;
    seen.group = header;
    seen.windingCounted = !header.noNormal;
    seen.groupVertices.clear();
    seen.with = seen.against = 0;
    auto rising = [&](std::vector<IndexUse>& uses, int index, std::uint64_t line) {
        if (index > 0 && (uses.empty() || index > uses.back().index)) uses.push_back({index, line, header.number});
    };
    rising(seen.materialUses, header.material, header.materialLine);
    rising(seen.textureUses, header.texture, header.textureLine);
    if (header.texture > 0) seen.texturesUsed.insert(header.texture);
}

void MeshCheck::onVertex(const VertexLine& vertex) {
    if (seen.found) return;
    if (const char* effect = misplacedNumbers(vertex.numbers, seen.group.noNormal)) {
        onProblem(vertex.line, "vertex with " + std::to_string(vertex.numbers) + " numbers in " + groupName(seen.group.number) +
                                   (seen.group.noNormal ? " (NONORMAL); " : "; ") + effect);
        return;
    }
    for (int i = 0; i < vertex.numbers; ++i) {
        if (!std::isfinite(vertex.values[i])) {
            const char* effect = i < 3 ? "Orbiter cannot place it" : i < 6 && !seen.group.noNormal
                                                                          ? "its normal is useless"
                                                                          : "its texture coordinates are useless";
            onProblem(vertex.line, "vertex with nan or inf in " + groupName(seen.group.number) + "; " + effect);
            return;
        }
    }
    seen.extent.add(vertex.values);
    seen.anyVertex = true;
    if (vertex.numbers < 6) seen.windingCounted = false;
    if (seen.windingCounted) {
        const double* v = vertex.values;
        seen.groupVertices.push_back({{static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])},
                                      {static_cast<float>(v[3]), static_cast<float>(v[4]), static_cast<float>(v[5])}});
    }
}

// A triangle winds with its normals when its outward direction, (v1 - v0) x (v2 - v0), has
// a positive dot product with the sum of its vertex normals.
void MeshCheck::onTriangle(std::uint64_t, const std::uint32_t (&index)[3]) {
    if (seen.found || !seen.windingCounted) return;
    const PointWithNormal& a = seen.groupVertices[index[0]];
    const PointWithNormal& b = seen.groupVertices[index[1]];
    const PointWithNormal& c = seen.groupVertices[index[2]];
    const float winding = dot(cross(b.point - a.point, c.point - a.point), a.normal + b.normal + c.normal);
    if (winding > 0) ++seen.with;
    else if (winding < 0) ++seen.against;
}

void MeshCheck::onGroupEnd() {
    if (seen.found) return;
    ++seen.groupsRead;
    seen.totalVertices += static_cast<std::uint64_t>(seen.group.vertices);
    seen.totalTriangles += static_cast<std::uint64_t>(seen.group.triangles);
    if (!seen.windingCounted) return;
    seen.totalWith += seen.with;
    seen.totalAgainst += seen.against;
    if (seen.against > seen.with && seen.firstInward.number == 0) seen.firstInward = seen.group;
}

void MeshCheck::onMaterialCount(int count) {
    if (!seen.found) seen.materials = count;
}

void MeshCheck::onTextureCount(int count) {
    if (!seen.found) seen.textures = count;
}

void MeshCheck::onTextureName(int texture, std::string_view name, bool, std::uint64_t line) {
    if (!seen.found && files != nullptr && name != "0" && seen.texturesUsed.count(texture))
        seen.textureNames.push_back({std::string(name), line});
}

// The first problem in line order wins; once one is found the rest of the text is not judged.
void MeshCheck::onProblem(std::uint64_t line, std::string what) {
    if (!seen.found || line < seen.problemLine) {
        seen.found = true;
        seen.problemLine = line;
        seen.problemText = std::move(what);
    }
}

// The earliest group header that names an entry past the end of its list, once the list is
// read (a list that was never read stands behind an earlier problem).
void MeshCheck::indexProblem(const std::vector<IndexUse>& uses, int listSize, const char* kind, const char* effect) {
    if (listSize < 0) return;
    for (const IndexUse& use : uses) {
        if (use.index <= listSize) continue;
        onProblem(use.line, groupName(use.group) + " uses " + kind + " " + std::to_string(use.index) + " of " +
                                std::to_string(listSize) + "; Orbiter gives it " + effect);
        return;
    }
}

// A group wound against its normals in a mesh that mostly winds with them: a part mirrored in
// the modeller. A mesh wound against its normals throughout (a 2D panel) is drawn so on purpose.
// Judged only when every group was read before any problem.
void MeshCheck::inwardProblem() {
    if (seen.groupsRead != seen.groups || seen.firstInward.number == 0 || seen.totalWith <= seen.totalAgainst) return;
    onProblem(seen.firstInward.geomLine, groupName(seen.firstInward.number) +
                                             " is wound against its normals; Orbiter shows its inside");
}

void MeshCheck::textureFileProblem() {
    if (seen.textureNames.empty()) return;
    const auto folder = simulatorFolderOf(meshPath);
    if (!folder) return;
    for (const TextureName& texture : seen.textureNames) {
        if (textureFileOf(*folder, texture.name, *files)) continue;
        onProblem(texture.line, "texture " + texture.name + " is in neither Textures2 nor Textures; Orbiter draws its groups untextured");
        return;
    }
}

std::string MeshCheck::summary() const {
    using MeshFigures::counted;
    return "Mesh: " + counted(static_cast<std::uint64_t>(seen.groups), "group", "groups") + ", " +
           counted(seen.totalVertices, "vertex", "vertices") + ", " +
           counted(seen.totalTriangles, "triangle", "triangles") + ", " +
           counted(static_cast<std::uint64_t>(seen.materials), "material", "materials") + ", " +
           counted(static_cast<std::uint64_t>(seen.textures), "texture", "textures") + ", " +
           MeshFigures::size(seen.extent.size(0), seen.extent.size(1), seen.extent.size(2));
}

std::string MeshCheck::verdict() {
    reader.finish();
    if (!seen.found) {  // the text read to its end: a list not read is not there
        if (seen.materials < 0) seen.materials = 0;
        if (seen.textures < 0) seen.textures = 0;
    }
    indexProblem(seen.materialUses, seen.materials, "material", "the default");
    indexProblem(seen.textureUses, seen.textures, "texture", "no texture");
    inwardProblem();
    textureFileProblem();
    if (seen.found) return "Warning ! Line " + std::to_string(seen.problemLine) + ": " + seen.problemText;
    return summary();
}
