#include "MeshReader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "LineScan.h"

using LineScan::equalNoCase;
using LineScan::firstWord;
using LineScan::readWhole;

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The loader's keywords: matched at the very start of the line, as a prefix, in any case
// ("GEOM3 1" is GEOM, "FLIPPED" is FLIP, an indented GEOM is not GEOM).
bool keyword(std::string_view line, std::string_view word) {
    return line.size() >= word.size() && equalNoCase(line.substr(0, word.size()), word);
}

// "MATERIALS 3" or "TEXTURES 0": the list keyword exactly, in upper case, and a count.
bool readListCount(std::string_view line, std::string_view keyword, int& count) {
    std::size_t i = keyword.size();
    std::int32_t value = 0;
    if (!startsWith(line, keyword) || !readWhole(line, i, value) || value < 0) return false;
    count = value;
    return true;
}

// A line that opens a material or texture list, or a material block, in any case.
bool looksLikeAList(std::string_view line) {
    std::size_t rest = 0;
    const std::string_view word = firstWord(line, rest);
    return equalNoCase(word, "MATERIALS") || equalNoCase(word, "MATERIAL") || equalNoCase(word, "TEXTURES");
}

// Where the loader crashes or corrupts memory: the line itself, and what may follow.
std::string crashAt(std::string_view line) {
    return std::string(LineScan::trimmed(line, 0)) + "; Orbiter fails on this line and may crash";
}

const char* const notAMesh = "first line is not MSHX1; Orbiter loads no mesh";
const char* const longLine = "longer than 255 characters; Orbiter stops reading here";

}  // namespace

void MeshReader::reset() { *this = MeshReader(*listener); }

void MeshReader::feed(const char* bytes, std::size_t count) {
    lines.feed(bytes, count, [this](const LineAssembly::Line& line) { onLine(line); });
}

// The loader stops at a line over 255 characters, which loses something only while it still
// has a list to read.
void MeshReader::onLine(const LineAssembly::Line& line) {
    lineNumber = line.number;
    if (section == Section::Stopped || section == Section::Rest) return;
    const bool inList = section == Section::MaterialNames || section == Section::MaterialBlocks ||
                        section == Section::TextureNames;
    if (line.tooLong && inList) {  // read as its first 255 characters
        onLineText(line.text.substr(0, LineAssembly::maxLine));
        return;
    }
    if (line.tooLong) {
        if (section == Section::MaterialsLine || section == Section::MaterialsSkipped) {
            if (section == Section::MaterialsLine) skippedLine = lineNumber, skippedWhy = longLine;
            section = Section::SkippedRest;
        } else if (section != Section::SkippedRest) {
            stop(lineNumber, longLine);
        }
        return;
    }
    onLineText(line.text);
}

void MeshReader::onLineText(std::string_view line) {
    switch (section) {
    case Section::FirstLine: onFirstLine(line); return;
    case Section::Header: onHeaderLine(line); return;
    case Section::GroupHeader: onGroupHeaderLine(line); return;
    case Section::Vertices: onVertexLine(line); return;
    case Section::Triangles: onTriangleLine(line); return;
    case Section::MaterialsLine:
    case Section::MaterialsSkipped:
    case Section::SkippedRest: onAfterGroups(line); return;
    case Section::MaterialNames: onMaterialNameLine(line); return;
    case Section::MaterialBlocks: onMaterialBlockLine(line); return;
    case Section::TexturesLine: onTexturesLine(line); return;
    case Section::TextureNames: onTextureNameLine(line); return;
    case Section::Rest:
    case Section::Stopped:
        return;
    }
}

// mesh = "MSHX1" ...: exactly, nothing before or after it on the line.
void MeshReader::onFirstLine(std::string_view line) {
    if (line != "MSHX1") stop(lineNumber, notAMesh);
    else section = Section::Header;
}

// skipped | groups-line = "GROUPS" count: lines before GROUPS are skipped by the loader.
void MeshReader::onHeaderLine(std::string_view line) {
    if (line.size() < 6 || !equalNoCase(line.substr(0, 6), "GROUPS")) return;
    std::size_t i = 6;
    std::int32_t count = 0;
    if (!readWhole(line, i, count) || count < 0) {
        stop(lineNumber, "GROUPS without a count; Orbiter loads no mesh");
        return;
    }
    groups = count;
    listener->onGroupCount(groups);
    if (groups == 0) {
        stop(lineNumber, "GROUPS 0; Orbiter loads no mesh");
        return;
    }
    afterGroup();
}

// group-header = "MATERIAL" n | "TEXTURE" n | "FLAG" hex | "NONORMAL" | "FLIP" | "LABEL" text
//              | other, geom-line = "GEOM" nv nt [comment]. Keywords as the loader matches
// them (MATERIALS is MATERIAL here); it skips other lines, also a list that comes where a
// group should: the group is then missing at the end of the text.
void MeshReader::onGroupHeaderLine(std::string_view line) {
    std::int32_t value = 0;
    // A MATERIAL or TEXTURE line without a number lowers the index read before it by one;
    // -1 (kept as inheritIndex, 0-based) inherits.
    auto index = [&](std::size_t after, std::int64_t& read, std::uint64_t& at) {
        std::size_t i = after;
        if (readWhole(line, i, value)) read = std::int64_t{value} - 1;
        else read -= 1;
        at = lineNumber;
    };
    if (keyword(line, "MATERIAL")) {
        index(8, materialRead, materialReadLine);
    } else if (keyword(line, "TEXTURE")) {
        index(7, textureRead, textureReadLine);
    } else if (keyword(line, "NONORMAL")) {
        header.noNormal = true;
    } else if (keyword(line, "FLAG")) {
        std::size_t i = 4;
        std::uint32_t flags = 0;
        if (LineScan::readHex(line, i, flags)) header.flags = flags;
    } else if (keyword(line, "FLIP")) {
        header.flip = true;
        flipLine = lineNumber;
    } else if (keyword(line, "LABEL")) {
        header.label = std::string(LineScan::trimmed(line, 5));
    } else if (keyword(line, "GEOM")) {
        onGeomLine(line);
    } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
        // A keyword after a blank or tab is not one to the loader: the group loses the line.
        const std::string_view text = LineScan::trimmed(line, 0);
        for (const char* word : {"GEOM", "MATERIAL", "TEXTURE", "NONORMAL", "FLAG", "FLIP", "LABEL"}) {
            if (keyword(text, word)) {
                listener->onProblem(lineNumber, std::string(word) + " after a blank or tab; Orbiter skips this line");
                return;
            }
        }
    }
}

// geom-line = "GEOM" nv nt: a count of 0, or counts that do not parse, skip the group (the
// groups after it are still read); a negative count, or one past what an int holds, makes
// the loader fail, and so does a single count once a group was kept (the other is then the
// earlier group's).
void MeshReader::onGeomLine(std::string_view line) {
    std::size_t i = 4;
    std::int32_t nv = 0, nt = 0;
    const int counts = !readWhole(line, i, nv) ? 0 : !readWhole(line, i, nt) ? 1 : 2;
    constexpr std::int32_t pastInt = std::numeric_limits<std::int32_t>::max();  // clamped
    if ((counts == 2 && (nv < 0 || nt < 0 || nv == pastInt || nt == pastInt)) || (counts == 1 && (nv < 0 || groupKept))) {
        stop(lineNumber, crashAt(line));
        return;
    }
    if (counts < 2) {
        listener->onProblem(lineNumber, "GEOM without two counts; Orbiter drops " + groupName());
        afterGroup();
        return;
    }
    if (nv == 0 || nt == 0) {
        std::string what = groupName() + " has no " + (nv == 0 ? "vertices" : "triangles") + "; Orbiter drops it and mixes up the rest";
        if (nv == 0 && nt == 0 && emptyGroupLine == 0) {  // fails later if a group's normals are computed
            emptyGroupLine = lineNumber;
            emptyGroupText = std::string(LineScan::trimmed(line, 0));
            emptyGroupWhat = std::move(what);
        } else {
            listener->onProblem(lineNumber, std::move(what));
        }
        afterGroup();
        return;
    }
    if (nv > 65536) listener->onProblem(lineNumber, groupName() + " has over 65536 vertices; triangles cannot reach them all");
    if (materialRead != inheritIndex) header.material = static_cast<int>(materialRead + 1), header.materialLine = materialReadLine;
    if (textureRead != inheritIndex) header.texture = static_cast<int>(textureRead + 1), header.textureLine = textureReadLine;
    header.geomLine = lineNumber;
    header.vertices = nv;
    header.triangles = nt;
    remaining = nv;
    normalsComputed = header.noNormal;
    section = Section::Vertices;
    textureUsed = textureUsed || header.texture > 0;
    listener->onGroup(header);
}

// A GEOM 0 0 group before: the loader fails once a later group's normals are computed, and
// only skips the empty group otherwise.
void MeshReader::settleEmptyGroup(bool fails) {
    if (emptyGroupLine == 0) return;
    listener->onProblem(emptyGroupLine, fails ? crashAt(emptyGroupText) : std::move(emptyGroupWhat));
    emptyGroupLine = 0;
}

// vertex-line = x y z [nx ny nz [u v]], after NONORMAL x y z [u v].
void MeshReader::onVertexLine(std::string_view line) {
    VertexLine vertex;
    vertex.line = lineNumber;
    std::size_t i = 0;
    while (vertex.numbers < 8 && LineScan::readReal(line, i, vertex.values[vertex.numbers])) ++vertex.numbers;
    for (int n = header.noNormal ? 5 : 8; n < vertex.numbers; ++n) vertex.values[n] = 0;  // not read with NONORMAL
    if (vertex.numbers < 6) normalsComputed = true;
    if (vertex.numbers == 0) listener->onProblem(lineNumber, "not a vertex; the rest of " + groupName() + " is shifted");
    else if (vertex.numbers < 3) listener->onProblem(lineNumber, "vertex with fewer than 3 numbers in " + groupName());
    listener->onVertex(vertex);
    if (--remaining == 0) {
        remaining = header.triangles;
        section = Section::Triangles;
    }
}

// triangle-line = i0 i1 i2: up to three whole numbers, those missing 0, each stored in 16
// bits (65538 is 2, -1 is 65535). An index the group lacks is drawn from outside the group,
// and makes the loader fail where it computes the group's normals; such a triangle is not
// handed on, and reading goes on.
void MeshReader::onTriangleLine(std::string_view line) {
    std::size_t i = 0;
    std::int32_t written[3] = {0, 0, 0};
    int whole = 0;
    while (whole < 3 && readWhole(line, i, written[whole])) ++whole;
    std::uint32_t index[3];
    for (int k = 0; k < 3; ++k) index[k] = static_cast<std::uint32_t>(written[k]) & 0xFFFFu;
    const auto bad = std::find_if(index, index + 3, [&](std::uint32_t v) { return v >= static_cast<std::uint32_t>(header.vertices); });
    if (bad != index + 3 && normalsComputed) listener->onProblem(lineNumber, crashAt(line));
    if (whole < 3) listener->onProblem(lineNumber, "not a triangle of 3 whole numbers in " + groupName());
    if (bad != index + 3) {
        listener->onProblem(lineNumber, "vertex index " + std::to_string(written[bad - index]) + " is not in " + groupName() +
                                            " (0 to " + std::to_string(header.vertices - 1) + ")");
    } else {
        const std::uint32_t drawn[3] = {index[0], index[header.flip ? 2 : 1], index[header.flip ? 1 : 2]};
        listener->onTriangle(lineNumber, drawn);
    }
    if (--remaining == 0) {
        groupKept = true;
        if (normalsComputed) settleEmptyGroup(true);
        listener->onGroupEnd();
        afterGroup();
    }
}

// after-groups = materials-line ... | other-line [textures-line texture-list].
// The loader takes the line after the last group for the MATERIALS line. Any other line is
// consumed and the material list skipped; the texture list is read only if its TEXTURES line
// comes next. A line over 255 characters there stops the loader. Either loses something only
// when a list follows.
void MeshReader::onAfterGroups(std::string_view line) {
    const Section was = section;
    if (keyword(line, "GEOM")) {
        stop(afterGroupsLine, "group " + std::to_string(groups + 1) + " is beyond the count of GROUPS; Orbiter does not read it");
        return;
    }
    if (was == Section::MaterialsLine && keyword(line, "MATERIALS")) {  // in any form; no count is 0
        std::size_t i = 9;
        std::int32_t count = 0;
        if (!readWhole(line, i, count)) count = 0;
        if (count < 0) {
            stop(lineNumber, crashAt(line));
            return;
        }
        materials = count;
        listener->onMaterialCount(materials);
        remaining = materials;
        section = materials > 0 ? Section::MaterialNames : Section::TexturesLine;
        return;
    }
    if (was == Section::MaterialsSkipped && readListCount(line, "TEXTURES", textures)) {
        onTexturesLine(line);
        return;
    }
    int count = 0;
    const bool noTextures = readListCount(line, "TEXTURES", count) && count == 0;  // nothing to lose
    if (was == Section::MaterialsLine) {
        skippedLine = lineNumber;
        skippedWhy = startsWith(line, "TEXTURES") ? "TEXTURES without MATERIALS before it; Orbiter loads no textures"
                                                  : "not MATERIALS after the last group; Orbiter skips the materials";
    }
    section = was == Section::MaterialsLine ? Section::MaterialsSkipped : Section::SkippedRest;
    if (looksLikeAList(line) && !(was == Section::MaterialsLine && noTextures)) stop(skippedLine, skippedWhy);
}

// name-line = name: the first word of the line.
void MeshReader::onMaterialNameLine(std::string_view line) {
    std::size_t rest = 0;
    listener->onMaterialName(materials - remaining + 1, firstWord(line, rest));
    if (--remaining == 0) {
        material = 1;
        blockLine = 0;
        section = Section::MaterialBlocks;
    }
}

// material-block = "MATERIAL" name, diffuse, ambient, specular [power], emissive: five lines,
// taken by counting: the first whatever it says, a colour's missing numbers 0. Either is
// reported, as it most often means lines out of step, and reading goes on as the loader's.
void MeshReader::onMaterialBlockLine(std::string_view line) {
    std::size_t rest = 0;
    if (blockLine == 0 && !equalNoCase(firstWord(line, rest), "MATERIAL"))
        listener->onProblem(lineNumber, "not MATERIAL name for material " + std::to_string(material) + "; the material list is garbled");
    if (blockLine > 0) {
        double rgba[4] = {0, 0, 0, 0};
        int numbers = 0;
        while (numbers < 4 && LineScan::readReal(line, rest, rgba[numbers])) ++numbers;
        if (numbers < 4) {
            listener->onProblem(lineNumber, "colour of material " + std::to_string(material) +
                                                " without 4 numbers; the material list is garbled");
            for (int n = numbers; n < 4; ++n) rgba[n] = 0;
        }
        double power = 0;
        if (blockLine == 3 && !LineScan::readReal(line, rest, power)) power = 0;
        listener->onMaterialColour(material, blockLine, rgba, power);
    }
    if (++blockLine == 5) {
        blockLine = 0;
        if (++material > materials) section = Section::TexturesLine;
    }
}

// textures-line = "TEXTURES" t, in upper case.
void MeshReader::onTexturesLine(std::string_view line) {
    if (!readListCount(line, "TEXTURES", textures)) {
        stop(lineNumber, "not TEXTURES after the materials; Orbiter loads no textures");
        return;
    }
    listener->onTextureCount(textures);
    remaining = textures;
    section = textures > 0 ? Section::TextureNames : Section::Rest;
}

// texture-line = name ["D"]: a line without a name repeats the one before, flag and all.
void MeshReader::onTextureNameLine(std::string_view line) {
    std::size_t rest = 0;
    const std::string_view name = firstWord(line, rest);
    if (!name.empty()) {
        std::size_t flag = rest;
        while (flag < line.size() && (line[flag] == ' ' || line[flag] == '\t')) ++flag;
        textureName.assign(name);
        textureDynamic = flag < line.size() && line[flag] == 'D';
    }
    listener->onTextureName(textures - remaining + 1, textureName, textureDynamic, lineNumber);
    if (--remaining == 0) section = Section::Rest;
}

// After GROUPS (as group 0) and after each group's last triangle.
void MeshReader::afterGroup() {
    if (header.number < groups) {
        const int next = header.number + 1;
        GroupHeader following;  // keeps the material and texture without lines of its own
        following.number = next;
        following.material = header.material;
        following.materialLine = header.materialLine;
        following.texture = header.texture;
        following.textureLine = header.textureLine;
        header = std::move(following);
        materialRead = textureRead = inheritIndex;
        flipLine = 0;
        groupStart = lineNumber + 1;
        section = Section::GroupHeader;
    } else {
        settleEmptyGroup(false);
        afterGroupsLine = lineNumber + 1;
        section = Section::MaterialsLine;
    }
}

// The file holds fewer groups than GROUPS says: reported where the first missing one begins.
void MeshReader::groupMissing() {
    stop(groupStart, groupName() + " of " + std::to_string(groups) + " is missing; Orbiter drops it");
}

void MeshReader::stop(std::uint64_t line, std::string what) {
    settleEmptyGroup(false);
    section = Section::Stopped;
    listener->onProblem(line, std::move(what));
}

std::string MeshReader::groupName() const { return "group " + std::to_string(header.number); }

// What is missing when the text ends: the line where it should begin.
void MeshReader::finish() {
    lines.finish([this](const LineAssembly::Line& line) { onLine(line); });
    const std::uint64_t next = lines.lines() + 1;
    switch (section) {
    case Section::FirstLine: stop(next, notAMesh); return;
    case Section::Header: stop(next, "no GROUPS line; Orbiter loads no mesh"); return;
    case Section::GroupHeader: groupMissing(); return;
    case Section::Vertices:
    case Section::Triangles: {
        if (header.flip) {  // the loader turns triangles it never read
            stop(flipLine, "FLIP; Orbiter fails on this line and may crash");
            return;
        }
        const bool inVertices = section == Section::Vertices;
        const int wanted = inVertices ? header.vertices : header.triangles;
        const char* what = inVertices ? (wanted == 1 ? "vertex" : "vertices") : (wanted == 1 ? "triangle" : "triangles");
        stop(next, "file ends in " + groupName() + " (" + std::to_string(wanted - remaining) + " of " +
                       std::to_string(wanted) + " " + what + "); Orbiter drops it");
        return;
    }
    case Section::MaterialNames:
    case Section::MaterialBlocks: stop(next, "file ends in the material list; materials are lost"); return;
    case Section::TexturesLine:  // loses something only when a group uses a texture
        if (textureUsed) stop(next, "no TEXTURES after the materials; Orbiter loads no textures");
        else section = Section::Stopped;
        return;
    case Section::TextureNames: stop(next, "file ends in the texture list; textures are lost"); return;
    case Section::MaterialsLine:  // no lists at all: default materials, no textures
    case Section::MaterialsSkipped:
    case Section::SkippedRest:
    case Section::Rest:
    case Section::Stopped:
        section = Section::Stopped;
        return;
    }
}
