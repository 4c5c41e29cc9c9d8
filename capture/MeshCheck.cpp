#include "MeshCheck.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && isSpace(s[i])) ++i;
    return i;
}

// Reads a whole decimal number from i on, after white space, as the loader's scanf does;
// stops at the first byte that is not part of it. Large values are clamped.
bool readWhole(std::string_view s, std::size_t& i, long& value) {
    std::size_t p = skipSpace(s, i);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p >= s.size() || !isDigit(s[p])) return false;
    long long v = 0;
    for (; p < s.size() && isDigit(s[p]); ++p)
        if (v < std::numeric_limits<long>::max()) v = v * 10 + (s[p] - '0');
    if (v > std::numeric_limits<long>::max()) v = std::numeric_limits<long>::max();
    value = static_cast<long>(negative ? -v : v);
    i = p;
    return true;
}

// Reads a real number (digits with an optional point and exponent) from i on, after white space.
bool readReal(std::string_view s, std::size_t& i) {
    std::size_t p = skipSpace(s, i);
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
    std::size_t digits = 0;
    for (; p < s.size() && isDigit(s[p]); ++p) ++digits;
    if (p < s.size() && s[p] == '.')
        for (++p; p < s.size() && isDigit(s[p]); ++p) ++digits;
    if (digits == 0) return false;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < s.size() && (s[q] == '+' || s[q] == '-')) ++q;
        if (q < s.size() && isDigit(s[q])) {
            for (p = q; p < s.size() && isDigit(s[p]); ++p) {}
        }
    }
    i = p;
    return true;
}

// How many real numbers the line begins with, up to max.
int leadingReals(std::string_view line, int max) {
    std::size_t i = 0;
    int n = 0;
    while (n < max && readReal(line, i)) ++n;
    return n;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The first word of the line; rest is set to what follows it.
std::string_view firstWord(std::string_view line, std::size_t& rest) {
    std::size_t begin = skipSpace(line, 0), end = begin;
    while (end < line.size() && !isSpace(line[end])) ++end;
    rest = end;
    return line.substr(begin, end - begin);
}

// "MATERIALS 3" or "TEXTURES 0": the list keyword exactly, in upper case, and a count.
bool readListCount(std::string_view line, std::string_view keyword, long& count) {
    std::size_t i = keyword.size();
    return startsWith(line, keyword) && readWhole(line, i, count) && count >= 0;
}

std::string counted(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string groupName(long group) { return "group " + std::to_string(group); }

const char* const notAMesh = "first line is not MSHX1; Orbiter loads no mesh";

}  // namespace

void MeshCheck::reset() { *this = MeshCheck(); }

void MeshCheck::feed(const char* bytes, std::size_t count) {
    const char* end = bytes + count;
    while (bytes < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(end - bytes)));
        const char* stop = lineEnd ? lineEnd : end;
        const std::size_t n = static_cast<std::size_t>(stop - bytes);
        if (n > 0) {
            if (lineLength < sizeof lineBuffer) {
                const std::size_t kept = std::min(n, sizeof lineBuffer - lineLength);
                std::memcpy(lineBuffer + lineLength, bytes, kept);
            }
            lineLength += n;
            lastByte = stop[-1];
        }
        if (!lineEnd) return;
        endLine();
        bytes = lineEnd + 1;
    }
}

// The loader reads in text mode: the CR of a CR LF is not part of the line.
void MeshCheck::endLine() {
    ++lineNumber;
    std::size_t length = lineLength - (lineLength > 0 && lastByte == '\r' ? 1 : 0);
    lineLength = 0;
    lastByte = '\0';
    if (section == Section::Stopped) return;
    if (length > maxLine) {
        problem(lineNumber, "longer than 255 characters; Orbiter stops reading here");
        return;
    }
    onLine({lineBuffer, length});
}

void MeshCheck::onLine(std::string_view line) {
    long count = 0;
    switch (section) {
    case Section::FirstLine:
        if (line != "MSHX1") problem(lineNumber, notAMesh);
        else section = Section::Header;
        return;
    case Section::Header: {
        if (line.size() < 6 || !equalNoCase(line.substr(0, 6), "GROUPS")) return;  // skipped by the loader
        std::size_t i = 6;
        if (!readWhole(line, i, count) || count < 0) {
            problem(lineNumber, "GROUPS without a count; Orbiter loads no mesh");
            return;
        }
        groups = count;
        group = 0;
        afterGroup();
        return;
    }
    case Section::GroupHeader: onGroupHeaderLine(line); return;
    case Section::Vertices: onVertexLine(line); return;
    case Section::Triangles: onTriangleLine(line); return;
    case Section::MaterialsLine:
        if (!readListCount(line, "MATERIALS", count)) {
            problem(lineNumber, "not MATERIALS after the last group; Orbiter skips the materials");
            return;
        }
        materials = count;
        remaining = count;
        section = count > 0 ? Section::MaterialNames : Section::TexturesLine;
        return;
    case Section::MaterialNames:
        if (--remaining == 0) {
            material = 1;
            blockLine = 0;
            section = Section::MaterialBlocks;
        }
        return;
    case Section::MaterialBlocks: onMaterialBlockLine(line); return;
    case Section::TexturesLine:
        if (!readListCount(line, "TEXTURES", count)) {
            problem(lineNumber, "not TEXTURES after the materials; Orbiter loads no textures");
            return;
        }
        textures = count;
        remaining = count;
        section = count > 0 ? Section::TextureNames : Section::Rest;
        return;
    case Section::TextureNames:
        if (--remaining == 0) section = Section::Rest;
        return;
    case Section::Rest:
    case Section::Stopped:
        return;
    }
}

// Header lines are known by their first word; the loader skips the others. A material or
// texture list here means the file holds fewer groups than GROUPS says.
void MeshCheck::onGroupHeaderLine(std::string_view line) {
    if (startsWith(line, "MATERIALS") || startsWith(line, "TEXTURES")) {
        groupMissing();
        return;
    }
    std::size_t rest = 0;
    const std::string_view word = firstWord(line, rest);
    long value = 0;
    if (equalNoCase(word, "MATERIAL") || equalNoCase(word, "TEXTURE")) {
        auto& uses = equalNoCase(word, "MATERIAL") ? materialUses : textureUses;
        if (readWhole(line, rest, value) && value > 0 && (uses.empty() || value > uses.back().index))
            uses.push_back({value, lineNumber, group});
        return;
    }
    if (!equalNoCase(word, "GEOM")) return;
    long nv = 0, nt = 0;
    if (!readWhole(line, rest, nv) || !readWhole(line, rest, nt) || nv < 0 || nt < 0) {
        problem(lineNumber, "GEOM without two counts; Orbiter drops " + groupName(group));
        return;
    }
    if (nv == 0 || nt == 0) {
        problem(lineNumber, groupName(group) + " has no " + (nv == 0 ? "vertices" : "triangles") +
                                "; Orbiter drops it and mixes up the rest");
        return;
    }
    if (nv > 65536) {
        problem(lineNumber, groupName(group) + " has over 65536 vertices; triangles cannot reach them all");
        return;
    }
    vertices = nv;
    triangles = nt;
    remaining = nv;
    section = Section::Vertices;
}

void MeshCheck::onVertexLine(std::string_view line) {
    const int numbers = leadingReals(line, 3);
    if (numbers == 0) {
        problem(lineNumber, "not a vertex; the rest of " + groupName(group) + " is shifted");
        return;
    }
    if (numbers < 3) {
        problem(lineNumber, "vertex with fewer than 3 numbers in " + groupName(group));
        return;
    }
    if (--remaining == 0) {
        remaining = triangles;
        section = Section::Triangles;
    }
}

void MeshCheck::onTriangleLine(std::string_view line) {
    std::size_t i = 0;
    long index[3];
    for (long& v : index) {
        if (!readWhole(line, i, v)) {
            problem(lineNumber, "not a triangle of 3 whole numbers in " + groupName(group));
            return;
        }
    }
    for (long v : index) {
        if (v < 0 || v >= vertices) {
            problem(lineNumber, "vertex index " + std::to_string(v) + " is not in " + groupName(group) + " (0 to " +
                                    std::to_string(vertices - 1) + ")");
            return;
        }
    }
    if (--remaining == 0) afterGroup();
}

void MeshCheck::onMaterialBlockLine(std::string_view line) {
    std::size_t rest = 0;
    if (blockLine == 0 && !equalNoCase(firstWord(line, rest), "MATERIAL")) {
        problem(lineNumber,
                "not MATERIAL name for material " + std::to_string(material) + "; the material list is garbled");
        return;
    }
    if (blockLine > 0 && leadingReals(line, 4) < 4) {
        problem(lineNumber, "colour of material " + std::to_string(material) +
                                " without 4 numbers; the material list is garbled");
        return;
    }
    if (++blockLine == 5) {
        blockLine = 0;
        if (++material > materials) section = Section::TexturesLine;
    }
}

void MeshCheck::beginGroup(long next, std::uint64_t line) {
    group = next;
    groupStart = line;
    section = Section::GroupHeader;
}

// After GROUPS (as group 0) and after each group's last triangle.
void MeshCheck::afterGroup() {
    if (group > 0) {
        totalVertices += static_cast<std::uint64_t>(vertices);
        totalTriangles += static_cast<std::uint64_t>(triangles);
    }
    if (group < groups) beginGroup(group + 1, lineNumber + 1);
    else section = Section::MaterialsLine;
}

// The file holds fewer groups than GROUPS says: reported where the first missing one begins.
void MeshCheck::groupMissing() {
    problem(groupStart, groupName(group) + " of " + std::to_string(groups) + " is missing; Orbiter drops it");
}

void MeshCheck::problem(std::uint64_t line, std::string what) {
    if (!found || line < problemLine) {
        found = true;
        problemLine = line;
        problemText = std::move(what);
    }
    section = Section::Stopped;
}

// The earliest group header that names an entry past the end of its list, once the list is
// read (a list that was never read stands behind an earlier problem).
void MeshCheck::indexProblem(const std::vector<IndexUse>& uses, long listSize, const char* kind, const char* effect) {
    if (listSize < 0) return;
    for (const IndexUse& use : uses) {
        if (use.index <= listSize) continue;
        problem(use.line, groupName(use.group) + " uses " + kind + " " + std::to_string(use.index) + " of " +
                              std::to_string(listSize) + "; Orbiter gives it " + effect);
        return;
    }
}

// What is missing when the text ends: the line where it should begin.
void MeshCheck::endOfText() {
    const std::uint64_t next = lineNumber + 1;
    switch (section) {
    case Section::FirstLine: problem(next, notAMesh); return;
    case Section::Header: problem(next, "no GROUPS line; Orbiter loads no mesh"); return;
    case Section::GroupHeader:
        groupMissing();
        return;
    case Section::Vertices:
    case Section::Triangles: {
        const bool inVertices = section == Section::Vertices;
        const long wanted = inVertices ? vertices : triangles;
        problem(next, "file ends in " + groupName(group) + " (" + std::to_string(wanted - remaining) + " of " +
                          counted(static_cast<std::uint64_t>(wanted), inVertices ? "vertex" : "triangle",
                                  inVertices ? "vertices" : "triangles") + "); Orbiter drops it");
        return;
    }
    case Section::MaterialsLine:  // no lists at all: default materials, no textures
        materials = textures = 0;
        return;
    case Section::MaterialNames:
    case Section::MaterialBlocks:
        problem(next, "file ends in the material list; materials are lost");
        return;
    case Section::TexturesLine: problem(next, "no TEXTURES after the materials; Orbiter loads no textures"); return;
    case Section::TextureNames: problem(next, "file ends in the texture list; textures are lost"); return;
    case Section::Rest:
    case Section::Stopped:
        return;
    }
}

std::string MeshCheck::verdict() {
    if (lineLength > 0) endLine();  // a last line without a line end
    endOfText();
    indexProblem(materialUses, materials, "material", "the default");
    indexProblem(textureUses, textures, "texture", "no texture");
    if (found) return "Warning ! Line " + std::to_string(problemLine) + ": " + problemText;
    return "Mesh: " + counted(static_cast<std::uint64_t>(groups), "group", "groups") + ", " +
           counted(totalVertices, "vertex", "vertices") + ", " + counted(totalTriangles, "triangle", "triangles") +
           ", " + counted(static_cast<std::uint64_t>(materials), "material", "materials") + ", " +
           counted(static_cast<std::uint64_t>(textures), "texture", "textures");
}
