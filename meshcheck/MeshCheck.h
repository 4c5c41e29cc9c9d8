#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FileLookup.h"
#include "MeshModel.h"
#include "MeshExtent.h"
#include "MeshReader.h"

// Says whether the simulator will show a mesh text as meant, fed in pieces that may split
// lines anywhere: a summary of the mesh with its size, or a warning about the first problem
// in line order. Problems are what the loader misreads (from MeshReader) and what it reads
// without complaint but shows wrong: vertex lines whose numbers land in the wrong fields,
// numbers that are not finite, a group wound against its normals in a mesh that otherwise
// winds with them, texture indices past their lists, texture files the simulator will not
// find (of the textures a group uses). Keeps one group's vertices at a time, the rising
// material and texture indices of the group headers, the texture indices used and the names
// of those textures; nothing else of the text.
class MeshCheck : private MeshReadListener {
public:
    MeshCheck() = default;
    MeshCheck(const MeshCheck&) = delete;
    MeshCheck& operator=(const MeshCheck&) = delete;

    // Forgets everything fed so far. When files is given and the mesh is saved below a Meshes
    // folder, the texture files are looked up beside that folder; otherwise nothing is said
    // about them.
    void reset(std::string meshPath = {}, const FileLookup* files = nullptr);
    void feed(const char* bytes, std::size_t count) { reader.feed(bytes, count); }
    // Ends the text and returns the check line: "Mesh: ..." or "Warning ! Line n: ...".
    std::string verdict();

private:
    // A group header's MATERIAL or TEXTURE index that is higher than every earlier one.
    struct IndexUse {
        int index;
        std::uint64_t line;
        int group;
    };
    struct PointWithNormal {
        Vec3 point, normal;
    };
    struct TextureName {
        std::string name;
        std::uint64_t line;
    };

    void onGroupCount(int groups) override;
    void onGroup(const GroupHeader& header) override;
    void onVertex(const VertexLine& vertex) override;
    void onTriangle(std::uint64_t line, const std::uint32_t (&index)[3]) override;
    void onGroupEnd() override;
    void onMaterialCount(int count) override;
    void onTextureCount(int count) override;
    void onTextureName(int texture, std::string_view name, bool dynamic, std::uint64_t line) override;
    void onProblem(std::uint64_t line, std::string what) override;

    void indexProblem(const std::vector<IndexUse>& uses, int listSize, const char* kind, const char* effect);
    void inwardProblem();
    void textureFileProblem();
    std::string summary() const;

    MeshReader reader{*this};
    std::string meshPath;
    const FileLookup* files = nullptr;

    // Everything seen of the current text.
    struct Seen {
        int groups = 0, groupsRead = 0;
        std::uint64_t totalVertices = 0, totalTriangles = 0;
        int materials = -1, textures = -1;  // -1 while their list is unknown
        bool anyVertex = false;
        MeshExtent extent;

        GroupHeader group;                  // the current one
        bool windingCounted = false;        // its vertices all carry normals
        std::vector<PointWithNormal> groupVertices;  // of the current group
        std::uint32_t with = 0, against = 0;  // its triangles wound with and against their normals
        std::uint64_t totalWith = 0, totalAgainst = 0;
        GroupHeader firstInward;            // the first group wound against its normals (number 0: none)

        std::vector<IndexUse> materialUses, textureUses;
        std::set<int> texturesUsed;           // by the groups read, at most one entry a group
        std::vector<TextureName> textureNames;  // of the textures used
        bool found = false;
        std::uint64_t problemLine = 0;
        std::string problemText;
    } seen;
};
