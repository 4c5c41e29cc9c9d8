#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A group's header lines as the loader takes them, complete at its GEOM line. Of two
// MATERIAL (or TEXTURE) lines the last one counts.
struct GroupHeader {
    int number = 0;  // 1-based
    std::uint64_t geomLine = 0;
    int vertices = 0, triangles = 0;
    int material = 0;
    std::uint64_t materialLine = 0;  // 0: no MATERIAL line
    int texture = 0;
    std::uint64_t textureLine = 0;  // 0: no TEXTURE line
    bool flip = false, noNormal = false;
    std::string label;
};

// One vertex line: how many numbers it begins with (up to 8), and those the loader reads
// (at most 8, with NONORMAL at most 5); the others are 0, as the loader leaves them. A value
// too large for the loader's float is infinite, as it is there. A line that begins with no
// number is a vertex at the origin.
struct VertexLine {
    std::uint64_t line = 0;
    int numbers = 0;
    double values[8] = {};
};

// What the reader tells, in line order. A problem is a line the loader reads otherwise than
// meant, or something missing, with the line where it should begin.
class MeshReadListener {
public:
    virtual ~MeshReadListener() = default;
    virtual void onGroupCount(int /*groups*/) {}
    virtual void onGroup(const GroupHeader&) {}
    virtual void onVertex(const VertexLine&) {}
    // A triangle the group can draw: indices below its vertex count, in drawing order (FLIP applied).
    virtual void onTriangle(std::uint64_t /*line*/, const std::uint32_t (&/*index*/)[3]) {}
    // The group's last triangle line is read: the loader keeps the group.
    virtual void onGroupEnd() {}
    virtual void onMaterialCount(int /*materials*/) {}
    virtual void onMaterialName(int /*material*/, std::string_view /*name*/) {}
    virtual void onMaterialDiffuse(int /*material*/, const double (&/*rgba*/)[4]) {}
    virtual void onTextureCount(int /*textures*/) {}
    virtual void onTextureName(int /*texture*/, std::string_view /*name*/, std::uint64_t /*line*/) {}
    virtual void onProblem(std::uint64_t /*line*/, std::string /*what*/) {}
};

// Reads a mesh text as the simulator's loader does, fed in pieces that may split lines
// anywhere, and tells a listener what the loader takes from it. Goes on after a problem
// where the loader does (a line that is not a vertex is a vertex at the origin, and the
// lines after it shift), and stops where the loader stops or its result is undefined.
// Keeps the current line (its first 256 characters) and nothing else of the text.
class MeshReader {
public:
    explicit MeshReader(MeshReadListener& listener) : listener(&listener) {}

    // Forgets everything fed so far.
    void reset();
    void feed(const char* bytes, std::size_t count);
    // Ends the text: a last line without a line end, then what is missing.
    void finish();
    // The loader reads nothing more of the text (it stopped, or read the texture list).
    bool readsNoMore() const { return section == Section::Stopped || section == Section::Rest; }

private:
    enum class Section {
        FirstLine, Header, GroupHeader, Vertices, Triangles, MaterialsLine, MaterialsSkipped, SkippedRest,
        MaterialNames, MaterialBlocks, TexturesLine, TextureNames, Rest, Stopped
    };

    void endLine();
    void onLine(std::string_view line);
    void onHeaderLine(std::string_view line);
    void onGroupHeaderLine(std::string_view line);
    void onVertexLine(std::string_view line);
    void onTriangleLine(std::string_view line);
    void onAfterGroups(std::string_view line);
    void onMaterialBlockLine(std::string_view line);
    void onTexturesLine(std::string_view line);
    void afterGroup();
    void groupMissing();
    void stop(std::uint64_t line, std::string what);
    std::string groupName() const;

    MeshReadListener* listener;

    static constexpr std::size_t maxLine = 255;
    char lineBuffer[maxLine + 1] = {};
    std::size_t lineLength = 0;  // bytes of the current line so far, the buffer holds the first 256
    char lastByte = '\0';
    std::uint64_t lineNumber = 0;  // lines ended so far

    Section section = Section::FirstLine;
    int groups = 0;
    GroupHeader header;             // of the current group
    std::uint64_t groupStart = 0;   // the line where the current group begins
    int remaining = 0;              // lines left in the current list
    std::uint64_t skippedLine = 0;  // the line after the groups that is not MATERIALS
    const char* skippedWhy = nullptr;  // what is lost at that line when a list follows
    int materials = 0, material = 0, blockLine = 0, textures = 0;
};
