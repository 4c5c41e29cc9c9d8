#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MeshCheck.h"
#include "PieceCutter.h"
#include "TextureFolders.h"

namespace {

// A small mesh with every section, a header line the loader skips, comments, a tab, a lower
// case keyword and an exponent.
const std::vector<std::string> wellFormed = {
    "MSHX1",                  // 1
    "; exported by a script",  // 2
    "GROUPS 2",               // 3
    "LABEL wing",             // 4
    "MATERIAL 1",             // 5
    "TEXTURE 1",              // 6
    "GEOM 3 1 ; wing",        // 7
    "0 0 0",                  // 8
    "1.5 -2e-003 0\t0 0 1",   // 9
    "0 1 0 ; tip",            // 10
    "0 1 2",                  // 11
    "geom 4 2",               // 12
    "0 0 1",                  // 13
    "1 0 1",                  // 14
    "1 1 1",                  // 15
    "0 1 1",                  // 16
    "0 1 2",                  // 17
    "0 2 3",                  // 18
    "MATERIALS 1",            // 19
    "hull",                   // 20
    "MATERIAL hull",          // 21
    "1 1 1 1",                // 22
    "0.5 0.5 0.5 1",          // 23
    "0 0 0 1 10",             // 24
    "0 0 0 1",                // 25
    "TEXTURES 1",             // 26
    "hull.dds D",             // 27
};

struct Damage {
    const char* name;
    std::vector<std::pair<int, std::string>> lines;  // 1-based line numbers and their new text
    std::size_t keepLines = 0;                        // 0: all
    std::string expected;
};

std::string meshText(const Damage& damage, const char* lineEnd) {
    std::vector<std::string> lines = wellFormed;
    for (const auto& [number, text] : damage.lines) lines[number - 1] = text;
    if (damage.keepLines) lines.resize(damage.keepLines);
    std::string text;
    for (const auto& line : lines) text += line + lineEnd;
    return text;
}

std::string verdictOf(const std::string& text, std::size_t pieceSize) {
    MeshCheck check;
    for (std::size_t i = 0; i < text.size(); i += pieceSize) check.feed(text.data() + i, std::min(pieceSize, text.size() - i));
    return check.verdict();
}

const std::string w = "Warning ! Line ";
const std::string full = "Mesh: 2 groups, 7 vertices, 3 triangles, 1 material, 1 texture, 1.50 x 1.00 x 1.00 m";
const std::string noLists = "Mesh: 2 groups, 7 vertices, 3 triangles, 0 materials, 0 textures, 1.50 x 1.00 x 1.00 m";

// The well-formed mesh with normals on every vertex: group 1 (lines 8-10) and group 2
// (lines 13-16) face +z, as their triangles wind, unless told to face -z.
std::vector<std::pair<int, std::string>> withNormals(bool group1Inward, bool group2Inward) {
    const char* n1 = group1Inward ? " 0 0 -1" : " 0 0 1";
    const char* n2 = group2Inward ? " 0 0 -1" : " 0 0 1";
    return {{8, std::string("0 0 0") + n1}, {9, std::string("1.5 -2e-003 0") + n1}, {10, std::string("0 1 0") + n1},
            {13, std::string("0 0 1") + n2}, {14, std::string("1 0 1") + n2},     {15, std::string("1 1 1") + n2},
            {16, std::string("0 1 1") + n2}};
}
std::vector<std::pair<int, std::string>> plus(std::vector<std::pair<int, std::string>> lines,
                                              std::vector<std::pair<int, std::string>> more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string longComment = "; " + std::string(254, 'x');  // 256 characters

// Each kind of damage and the check line it gives: the first problem in line order.
const std::vector<Damage> damages = {
    {"WellFormed", {}, 0, full},
    // What loads as meant: a long line after the lists, a line after the last group that
    // no list follows, or one that the texture list follows, two MATERIAL lines (the last
    // counts), a mesh wound against its normals throughout (a 2D panel), FLIP.
    {"LongLineAfterTheLists", {{27, "hull.dds D\n" + longComment}}, 0, full},
    {"LineAfterTheGroupsWithoutLists", {{5, "MATERIAL 0"}, {6, "TEXTURE 0"}, {19, ""}, {13, "0e400 0 1"}}, 19, noLists},
    {"LongLineAfterTheGroupsWithoutLists", {{5, "MATERIAL 0"}, {6, "TEXTURE 0"}, {19, longComment}}, 19, noLists},
    // Lists that hold nothing, or a texture list missing where no group uses a texture.
    {"NoTexturesAfterTheGroups", {{5, "MATERIAL 0"}, {6, "TEXTURE 0"}, {19, "TEXTURES 0"}}, 19, noLists},
    {"NoMaterialsThenTheEnd", {{5, "MATERIAL 0"}, {6, "TEXTURE 0"}, {19, "MATERIALS 0"}}, 19, noLists},
    {"MaterialsAndNoTextureListWhereNoGroupUsesOne", {{6, "TEXTURE 0"}}, 25,
     "Mesh: 2 groups, 7 vertices, 3 triangles, 1 material, 0 textures, 1.50 x 1.00 x 1.00 m"},
    {"SkippedLineThenTextureList", {{5, "MATERIAL 0"}, {19, "; no materials"}, {20, "TEXTURES 1"}, {21, "hull.dds"}}, 21,
     "Mesh: 2 groups, 7 vertices, 3 triangles, 0 materials, 1 texture, 1.50 x 1.00 x 1.00 m"},
    {"LastMaterialLineCounts", {{4, "TEXTURE 2"}, {5, "MATERIAL 7"}, {6, "MATERIAL 1\nTEXTURE 1"}}, 0,
     "Mesh: 2 groups, 7 vertices, 3 triangles, 1 material, 1 texture, 1.50 x 1.00 x 1.00 m"},
    {"WoundAgainstNormalsThroughout", withNormals(true, true), 0, full},
    {"FlipTurnsTheInwardGroup", plus(withNormals(true, false), {{4, "FLIP"}}), 0, full},
    {"GroupsCountWithoutBlank", {{3, "GROUPS2"}, {27, "hull.dds"}}, 0, full},
    {"EmptyListsThenText", {{19, "MATERIALS 0"}, {20, "TEXTURES 0"}, {5, "MATERIAL 0"}, {6, "TEXTURE 0"}}, 21,
     noLists},  // text after the lists
    {"NoListsAtAll", {{5, "MATERIAL 0"}, {6, "TEXTURE 0"}}, 18, noLists},
    {"LineOf255Characters", {{2, longComment.substr(0, 255)}}, 0, full},
    {"FirstLineNotMshx1", {{1, "MSHX1 "}}, 0, w + "1: first line is not MSHX1; Orbiter loads no mesh"},
    {"NoGroupsLine", {{3, "; no groups"}}, 0, w + "28: no GROUPS line; Orbiter loads no mesh"},
    {"GroupsWithoutCount", {{3, "GROUPS many"}}, 0, w + "3: GROUPS without a count; Orbiter loads no mesh"},
    {"LongLineStopsTheLoader", {{2, longComment}}, 0, w + "2: longer than 255 characters; Orbiter stops reading here"},
    {"GroupCountClamped", {{3, "GROUPS 99999999999999999999999"}}, 0, w + "19: group 3 of 2147483647 is missing; Orbiter drops it"},
    {"GeomWithOneCount", {{7, "GEOM 3"}}, 0, w + "7: GEOM without two counts; Orbiter drops group 1"},
    {"GeomWithOneCountAfterAKeptGroup", {{12, "GEOM 4"}}, 0, w + "12: GEOM 4; Orbiter fails on this line and may crash"},
    {"GeomWithoutVertices", {{12, "GEOM 0 2"}}, 0, w + "12: group 2 has no vertices; Orbiter drops it and mixes up the rest"},
    {"GeomWithoutTriangles", {{7, "GEOM 3 0"}}, 0, w + "7: group 1 has no triangles; Orbiter drops it and mixes up the rest"},
    {"GroupOver65536Vertices", {{12, "GEOM 65537 2"}}, 0, w + "12: group 2 has over 65536 vertices; triangles cannot reach them all"},
    {"NotAVertex", {{9, "Exporting done."}}, 0, w + "9: not a vertex; the rest of group 1 is shifted"},
    {"VertexWithTwoNumbers", {{13, "0 0"}}, 0, w + "13: vertex with fewer than 3 numbers in group 2"},
    {"VertexWithNan", {{13, "nan 0 1"}}, 0, w + "13: vertex with nan or inf in group 2; Orbiter cannot place it"},
    {"VertexWithMinusInf", {{14, "1 -INF 1"}}, 0, w + "14: vertex with nan or inf in group 2; Orbiter cannot place it"},
    {"VertexWithFourNumbers", {{13, "0 0 1 1"}}, 0, w + "13: vertex with 4 numbers in group 2; Orbiter takes the 4th for part of the normal"},
    {"VertexWithFiveNumbers", {{14, "1 0 1 0.5 0.25"}}, 0,
     w + "14: vertex with 5 numbers in group 2; Orbiter takes u and v for the normal and loses the texture coordinates"},
    {"VertexWithSevenNumbers", {{9, "1.5 0 0 0 0 1 0.5"}}, 0, w + "9: vertex with 7 numbers in group 1; Orbiter takes the 7th for u and reads no v (v = 0)"},
    {"NoNormalVertexWithFourNumbers", {{4, "NONORMAL"}, {9, "1.5 0 0 1"}}, 0, w + "9: vertex with 4 numbers in group 1 (NONORMAL); Orbiter reads u without v (v = 0)"},
    {"NoNormalVertexWithSixNumbers", {{4, "NONORMAL"}}, 0, w + "9: vertex with 6 numbers in group 1 (NONORMAL); Orbiter takes the 4th and 5th for u and v"},
    {"NanInNormal", {{9, "1.5 0 0 nan 0 1"}}, 0, w + "9: vertex with nan or inf in group 1; its normal is useless"},
    {"VertexBeyondFloat", {{13, "0 1e39 1"}}, 0, w + "13: vertex with nan or inf in group 2; Orbiter cannot place it"},  // no float holds it
    {"GroupWoundAgainstItsNormals", withNormals(true, false), 0, w + "7: group 1 is wound against its normals; Orbiter shows its inside"},
    {"InwardGroupBeforeGarbledList", plus(withNormals(true, false), {{24, "0 0 0"}}), 0, w + "7: group 1 is wound against its normals; Orbiter shows its inside"},
    {"TriangleWithFraction", {{17, "0 1.5 2"}}, 0, w + "17: not a triangle of 3 whole numbers in group 2"},
    {"TriangleIndexBeyondGroup", plus(withNormals(false, false), {{18, "0 2 4"}}), 0,
     w + "18: vertex index 4 is not in group 2 (0 to 3)"},
    {"TriangleIndexBeyondGroupWithComputedNormals", {{18, "0 2 4"}}, 0, w + "18: 0 2 4; Orbiter fails on this line and may crash"},
    {"FileEndsInVertices", {}, 15, w + "16: file ends in group 2 (3 of 4 vertices); Orbiter drops it"},
    {"FileEndsInTriangles", {}, 17, w + "18: file ends in group 2 (1 of 2 triangles); Orbiter drops it"},
    {"GroupMissing", {{3, "GROUPS 3"}}, 0, w + "19: group 3 of 3 is missing; Orbiter drops it"},
    // Groups beyond the count are not read, with or without lists after them.
    {"GroupBeyondTheCount", {{3, "GROUPS 1"}, {5, "MATERIAL 0"}, {6, "TEXTURE 0"}}, 18, w + "12: group 2 is beyond the count of GROUPS; Orbiter does not read it"},
    {"GroupBeyondTheCountBeforeTheLists", {{3, "GROUPS 1"}, {12, "LABEL tail\ngeom 4 2"}}, 0,
     w + "12: group 2 is beyond the count of GROUPS; Orbiter does not read it"},
    {"GroupMissingAtEndOfFile", {{3, "GROUPS 3"}}, 18, w + "19: group 3 of 3 is missing; Orbiter drops it"},
    {"MaterialsInMixedCase", {{19, "Materials 1"}}, 0, full},
    {"BlankLineBeforeMaterials", {{19, "\nMATERIALS 1"}}, 0, w + "19: not MATERIALS after the last group; Orbiter skips the materials"},
    {"LongLineAfterTheGroupsBeforeMaterials", {{19, longComment + "\nMATERIALS 1"}}, 0, w + "19: longer than 255 characters; Orbiter stops reading here"},
    {"LongLineAfterSkippedLineBeforeMaterials", {{19, "\n" + longComment + "\nMATERIALS 1"}}, 0, w + "19: not MATERIALS after the last group; Orbiter skips the materials"},
    {"TexturesWithoutMaterials", {{5, "MATERIAL 0"}, {19, "TEXTURES 1"}, {20, "hull.dds"}}, 20,
     w + "19: TEXTURES without MATERIALS before it; Orbiter loads no textures"},
    {"MaterialBlockWithoutMaterialLine", {{21, "hull"}}, 0, w + "21: not MATERIAL name for material 1; the material list is garbled"},
    {"ColourWithThreeNumbers", {{24, "0 0 0"}}, 0, w + "24: colour of material 1 without 4 numbers; the material list is garbled"},
    {"FileEndsInMaterialList", {}, 22, w + "23: file ends in the material list; materials are lost"},
    {"NotTexturesAfterMaterials", {{26, "; textures"}}, 0, w + "26: not TEXTURES after the materials; Orbiter loads no textures"},
    {"NoTexturesAfterMaterials", {}, 25, w + "26: no TEXTURES after the materials; Orbiter loads no textures"},
    {"FileEndsInTextureList", {{26, "TEXTURES 2"}}, 0, w + "28: file ends in the texture list; textures are lost"},
    {"MaterialIndexPastList", {{5, "MATERIAL 2"}}, 0, w + "5: group 1 uses material 2 of 1; Orbiter gives it the default"},
    {"TextureIndexPastList", {{6, "texture 3"}}, 0, w + "6: group 1 uses texture 3 of 1; Orbiter gives it no texture"},
    {"MaterialIndexWithoutLists", {}, 18, w + "5: group 1 uses material 1 of 0; Orbiter gives it the default"},  // no lists at all
    // A group header's index is judged by the list read later, and comes first in line order;
    // a list that is never read leaves the index alone.
    {"IndexComesBeforeLaterListProblem", {{5, "MATERIAL 2"}, {26, "TEXTURES 2"}}, 0, w + "5: group 1 uses material 2 of 1; Orbiter gives it the default"},
    {"UnreadListLeavesIndexAlone", {{6, "TEXTURE 3"}, {26, "TEXTURES"}}, 0, w + "26: not TEXTURES after the materials; Orbiter loads no textures"},
};

// A failing row shows its name, not its bytes.
void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class MeshCheckDamage : public testing::TestWithParam<Damage> {};

// Fed whole, a byte at a time and in chunks with CR LF line ends, and once more without the
// last line end: the same line every time.
TEST_P(MeshCheckDamage, FindsTheFirstProblemInLineOrder) {
    const Damage& damage = GetParam();
    const std::string lf = meshText(damage, "\n"), crlf = PieceCutter::toCrLf(lf);
    {
        SCOPED_TRACE("whole:\n" + lf);
        EXPECT_EQ(verdictOf(lf, lf.size()), damage.expected);
    }
    {
        SCOPED_TRACE("byte by byte");
        EXPECT_EQ(verdictOf(lf, 1), damage.expected);
    }
    {
        SCOPED_TRACE("CR LF in chunks of 7");
        EXPECT_EQ(verdictOf(crlf, 7), damage.expected);
    }
    {
        SCOPED_TRACE("no last line end");
        EXPECT_EQ(verdictOf(crlf.substr(0, crlf.size() - 2), 5), damage.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MeshCheckDamage, testing::ValuesIn(damages),
                         [](const testing::TestParamInfo<Damage>& row) { return std::string(row.param.name); });

TEST(MeshCheck, EmptyTextAndResetStartAfresh) {
    MeshCheck check;
    EXPECT_EQ(check.verdict(), w + "1: first line is not MSHX1; Orbiter loads no mesh");
    check.reset();
    check.feed("MSHX1\nGROUPS 0\n", 15);
    EXPECT_EQ(check.verdict(), w + "2: GROUPS 0; Orbiter loads no mesh");
}

struct FakeFiles : FileLookup {
    std::vector<std::string> present;
    bool exists(const std::string& path) const override {
        return std::find(present.begin(), present.end(), path) != present.end();
    }
};

// Texture files are looked up beside the nearest Meshes folder above the mesh, first in
// Textures2, then in Textures; a mesh saved anywhere else says nothing about them.
TEST(MeshCheck, LooksForTextureFilesBesideTheMeshesFolder) {
    EXPECT_EQ(simulatorFolderOf("C:\\Orbiter\\meshes\\Meshes2\\Ship\\x.msh"), "C:\\Orbiter\\");
    EXPECT_EQ(simulatorFolderOf("C:/Sim/Meshes/Meshes/x.msh"), "C:/Sim/Meshes/");
    EXPECT_EQ(simulatorFolderOf("Meshes\\x.msh"), "");
    EXPECT_EQ(simulatorFolderOf("C:\\Meshes.msh"), std::nullopt);
    EXPECT_EQ(simulatorFolderOf("C:\\Orbiter\\Meshes"), std::nullopt);

    // Group 1 uses texture 3, group 2 texture 2; texture 4 is used by none, and not looked for.
    std::string text = meshText({"ListedTextures", {{12, "TEXTURE 2\ngeom 4 2"}, {26, "TEXTURES 4"},
                                                    {27, "0\nDG\\skin.dds D\nhull.dds\nunused.dds"}}, 0, ""}, "\r\n");
    text.replace(text.find("TEXTURE 1"), 9, "TEXTURE 3");
    const std::string summary = "Mesh: 2 groups, 7 vertices, 3 triangles, 1 material, 4 textures, 1.50 x 1.00 x 1.00 m";
    FakeFiles files;
    auto verdict = [&](const std::string& path) {
        MeshCheck check;
        check.reset(path, &files);
        check.feed(text.data(), text.size());
        return check.verdict();
    };
    const std::string mesh = "C:\\Orbiter\\Meshes\\DG\\dg.msh";
    EXPECT_EQ(verdict(mesh), w + "29: texture DG\\skin.dds is in neither Textures2 nor Textures; Orbiter draws its groups untextured");
    files.present = {"C:\\Orbiter\\Textures2\\DG\\skin.dds"};
    EXPECT_EQ(verdict(mesh), w + "30: texture hull.dds is in neither Textures2 nor Textures; Orbiter draws its groups untextured");
    files.present.push_back("C:\\Orbiter\\Textures\\hull.dds");
    EXPECT_EQ(verdict(mesh), summary);
    files.present.clear();
    EXPECT_EQ(verdict("C:\\Export\\dg.msh"), summary);
}

}  // namespace
