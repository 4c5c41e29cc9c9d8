#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads a mesh text as the simulator's loader reads it, fed in pieces that may split lines
// anywhere, and says whether the loader will take it as meant: a summary of the mesh, or a
// warning about the first problem in line order. Keeps counts and the current line (up to
// 256 characters); the only lists it keeps are the rising material and texture indices of
// the group headers, which can be judged only once the lists at the end are read.
class MeshCheck {
public:
    // Forgets everything fed so far.
    void reset();
    void feed(const char* bytes, std::size_t count);
    // Ends the text and returns the check line: "Mesh: ..." or "Warning ! Line n: ...".
    std::string verdict();

private:
    enum class Section {
        FirstLine, Header, GroupHeader, Vertices, Triangles, MaterialsLine, MaterialNames, MaterialBlocks,
        TexturesLine, TextureNames, Rest, Stopped
    };
    // A group header's MATERIAL or TEXTURE index that is higher than every earlier one.
    struct IndexUse {
        long index;
        std::uint64_t line;
        long group;
    };

    void endLine();
    void onLine(std::string_view line);
    void onGroupHeaderLine(std::string_view line);
    void onVertexLine(std::string_view line);
    void onTriangleLine(std::string_view line);
    void onMaterialBlockLine(std::string_view line);
    void beginGroup(long group, std::uint64_t line);
    void afterGroup();
    void endOfText();
    void groupMissing();
    void problem(std::uint64_t line, std::string what);
    void indexProblem(const std::vector<IndexUse>& uses, long listSize, const char* kind, const char* effect);

    static constexpr std::size_t maxLine = 255;
    char lineBuffer[maxLine + 1] = {};
    std::size_t lineLength = 0;  // bytes of the current line so far, the buffer holds the first 256
    char lastByte = '\0';
    std::uint64_t lineNumber = 0;  // lines ended so far

    Section section = Section::FirstLine;
    long groups = 0;
    long group = 0;  // the current group, 1-based
    std::uint64_t groupStart = 0;
    long vertices = 0, triangles = 0;  // of the current group
    long remaining = 0;                // lines left in the current list
    std::uint64_t totalVertices = 0, totalTriangles = 0;
    long materials = -1, textures = -1;  // -1 while their list is unknown
    long material = 0;                   // the material block being read, 1-based
    int blockLine = 0;

    std::vector<IndexUse> materialUses, textureUses;
    bool found = false;
    std::uint64_t problemLine = 0;
    std::string problemText;
};
