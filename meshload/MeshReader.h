#pragma once

// The mesh text as the simulator's loader reads it, line by line (lines as LineAssembly cuts
// them: text mode, a Ctrl-Z ends the text, a NUL a line's text). A keyword is matched at the
// very start of its line, as a prefix and in any case unless said otherwise ("GEOM3 1" is
// GEOM 3 1, "FLIPPED" is FLIP, an indented keyword is none); n, nv, nt, m and t are whole
// numbers as %d reads them, hex as %x, the other numbers as %f reads a float.
//
//   mesh           = "MSHX1" skipped* groups-line group{GROUPS} after-groups
//   skipped        = a line that does not begin with GROUPS
//   groups-line    = "GROUPS" count                    (a blank before the count or none)
//   group          = group-header* geom-line vertex-line{nv} triangle-line{nt}
//   group-header   = "MATERIAL" [n] | "TEXTURE" [n] | "FLAG" hex | "NONORMAL" | "FLIP"
//                  | "LABEL" text | any other line     (skipped)
//   geom-line      = "GEOM" nv nt [comment]
//   vertex-line    = x y z [nx ny nz [u v]]            (after NONORMAL: x y z [u v])
//   triangle-line  = [i0 [i1 [i2]]]                    (missing ones 0, each kept in 16 bits)
//   after-groups   = [materials-line material-list [textures-line texture-list]] rest
//                  | other-line [textures-line texture-list] rest
//   materials-line = "MATERIALS" [m]                   (no count: 0)
//   material-list  = name-line{m} material-block{m}    (by counting lines)
//   material-block = "MATERIAL" name, diffuse r g b a, ambient r g b a,
//                    specular r g b a [power], emissive r g b a
//   textures-line  = "TEXTURES" t                      (upper case)
//   texture-list   = texture-line{t}
//   texture-line   = name ["D"]                        (no name: the one before)
//   rest           = any lines                         (not read)
//
// What a group takes: MATERIAL n and TEXTURE n are 1-based (0: default, none); without a
// number the index read before it in the header less one; -1, or no such line, the previous
// group's (the first group's: 0).
//
// Recovery, as the loader recovers:
// - a first line other than MSHX1, no GROUPS line, GROUPS without a count, GROUPS 0 or no
//   group kept: no mesh;
// - a line over 255 characters stops the loader there; between the groups and the lists
//   it loses only the lists that would follow; inside a list it is read as its first 255;
// - a group header keyword after a blank or tab is none: reported, the line skipped;
// - a vertex line that does not begin with a number is a vertex at the origin, and the
//   lines after it shift by one: the reader goes on;
// - a triangle line of fewer than three whole numbers is reported and read as the loader
//   reads it; an index the group lacks is reported and the triangle not handed on;
// - GEOM with a count of 0 or without counts: reported, the group skipped, the groups after
//   it read;
// - the text ends inside a group: the group is dropped;
// - a line after the last group other than MATERIALS: consumed, the material list is
//   skipped, the texture list is read only if its TEXTURES line comes next; a material or
//   texture list after such a line stops the reader (it is not read as meant), unless it is
//   TEXTURES 0 (nothing is lost); a GEOM line there is a group beyond the count, reported
//   at the first line after the counted groups;
// - MATERIALS m and its list, then the end of the text: no textures, which loses something
//   only when a group uses a texture;
// - a material block not opened by MATERIAL, or a colour line with fewer than 4 numbers:
//   reported (the lines are most often out of step), read on by counting;
// - anything but TEXTURES t after the materials: no textures, the reader stops;
// - where the loader itself fails (a negative count in GEOM or MATERIALS, a count past an
//   int, GEOM with one count after a kept group, FLIP in a group the text ends in, an index
//   the group lacks where its normals are computed, GEOM 0 0 before a group whose normals
//   are computed): reported at that line; the reader stops, except at the index (the
//   triangle is left out) and at GEOM 0 0 (the group skipped).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "LineAssembly.h"

// A group's header lines as the loader takes them, complete at its GEOM line. Of two
// MATERIAL (or TEXTURE) lines the last one counts; without one the group keeps the index
// of the group before it (and the line where that group's was read).
struct GroupHeader {
    int number = 0;  // 1-based
    std::uint64_t geomLine = 0;
    int vertices = 0, triangles = 0;
    int material = 0;
    std::uint64_t materialLine = 0;  // 0: no MATERIAL line
    int texture = 0;
    std::uint64_t textureLine = 0;  // 0: no TEXTURE line
    std::uint32_t flags = 0;        // FLAG, read as hexadecimal
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
    // One colour line of a material block: 1 diffuse, 2 ambient, 3 specular (with the power,
    // the fifth number), 4 emissive; numbers the line lacks are 0.
    virtual void onMaterialColour(int /*material*/, int /*colour*/, const double (&/*rgba*/)[4], double /*power*/) {}
    virtual void onTextureCount(int /*textures*/) {}
    // dynamic: the D flag after the name.
    virtual void onTextureName(int /*texture*/, std::string_view /*name*/, bool /*dynamic*/, std::uint64_t /*line*/) {}
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
    // The loader reads nothing more of the text (it stopped, or read the texture list): what
    // follows cannot change what it keeps.
    // A line skipped after the groups and one that is not TEXTURES after it leave nothing
    // later to read; the reader still goes on to tell what the loader misses there.
    bool readsNoMore() const {
        return section == Section::Stopped || section == Section::Rest || section == Section::SkippedRest ||
               lines.textEnded();
    }

private:
    enum class Section {
        FirstLine, Header, GroupHeader, Vertices, Triangles, MaterialsLine, MaterialsSkipped, SkippedRest,
        MaterialNames, MaterialBlocks, TexturesLine, TextureNames, Rest, Stopped
    };

    void onLine(const LineAssembly::Line& line);
    void onLineText(std::string_view line);
    void onFirstLine(std::string_view line);
    void onHeaderLine(std::string_view line);
    void onGroupHeaderLine(std::string_view line);
    void onGeomLine(std::string_view line);
    void settleEmptyGroup(bool fails);
    void onVertexLine(std::string_view line);
    void onTriangleLine(std::string_view line);
    void onAfterGroups(std::string_view line);
    void onMaterialNameLine(std::string_view line);
    void onMaterialBlockLine(std::string_view line);
    void onTexturesLine(std::string_view line);
    void onTextureNameLine(std::string_view line);
    void afterGroup();
    void groupMissing();
    void stop(std::uint64_t line, std::string what);
    std::string groupName() const;

    MeshReadListener* listener;

    LineAssembly lines;
    std::uint64_t lineNumber = 0;  // of the line being read

    Section section = Section::FirstLine;
    int groups = 0;
    GroupHeader header;             // of the current group
    std::uint64_t groupStart = 0;   // the line where the current group begins
    int remaining = 0;              // lines left in the current list
    // A MATERIAL or TEXTURE index of the current group header as the loader holds it: 0-based,
    // inheritIndex without a line (or with -1).
    static constexpr std::int64_t inheritIndex = -2;
    std::int64_t materialRead = inheritIndex, textureRead = inheritIndex;
    std::uint64_t materialReadLine = 0, textureReadLine = 0;
    std::uint64_t flipLine = 0;       // of the current group, 0 without FLIP
    bool normalsComputed = false;     // the current group's normals are computed by the loader
    bool groupKept = false;           // a group was read whole
    std::uint64_t emptyGroupLine = 0;  // the first GEOM 0 0 not yet reported, and its report
    std::string emptyGroupText, emptyGroupWhat;
    std::string textureName;          // the last texture name read, and its flag
    bool textureDynamic = false;
    std::uint64_t afterGroupsLine = 0;  // the first line after the last group
    bool textureUsed = false;       // a group so far has a texture
    std::uint64_t skippedLine = 0;  // the line after the groups that is not MATERIALS
    const char* skippedWhy = nullptr;  // what is lost at that line when a list follows
    int materials = 0, material = 0, blockLine = 0, textures = 0;
};
