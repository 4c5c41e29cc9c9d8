#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>

#include "LineScan.h"
#include "MeshCheck.h"
#include "MeshModelBuilder.h"

namespace {

// What the simulator keeps from a mesh, in short: each group's number, material, texture,
// flags, positions and drawn indices; each material's name and diffuse colour; each texture's
// name and D flag.
std::string kept(const MeshModel& model) {
    if (!model.loads) return "no mesh";
    std::string text;
    char number[64];
    for (const MeshGroup& g : model.groups) {
        text += "g" + std::to_string(g.number) + " m" + std::to_string(g.material) + " t" + std::to_string(g.texture);
        if (g.flags) std::snprintf(number, sizeof number, " f%x", g.flags), text += number;
        text += " p";
        for (const Vec3& p : g.positions) std::snprintf(number, sizeof number, "(%g %g %g)", p.x, p.y, p.z), text += number;
        text += " i";
        for (std::size_t i = 0; i < g.indices.size(); ++i) text += (i ? "," : "") + std::to_string(g.indices[i]);
        text += "; ";
    }
    for (const MeshMaterial& m : model.materials) {
        std::snprintf(number, sizeof number, "(%g %g %g %g)", m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3]);
        text += "M " + m.name + " " + number + "; ";
    }
    for (const MeshTexture& t : model.textures) text += "T " + t.name + (t.dynamic ? " D" : "") + "; ";
    return text;
}

std::string checkLine(const std::string& text) {
    MeshCheck check;
    check.feed(text.data(), text.size());
    return check.verdict();
}

struct Rule {
    const char* name;
    std::string mesh;
    std::string kept;   // what the simulator keeps
    std::string check;  // the check line
};

void PrintTo(const Rule& rule, std::ostream* out) { *out << rule.name; }

const std::string w = "Warning ! Line ";
const std::string head = "MSHX1\nGROUPS 1\n";
const std::string triangle = "GEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n";  // normals computed
const std::string lit = "GEOM 3 1\n0 0 0 0 0 -1\n1 0 0 0 0 -1\n0 1 0 0 0 -1\n";  // normals given, no triangle line
const std::string keptTriangle = "p(0 0 0)(1 0 0)(0 1 0) i0,1,2; ";
const std::string oneTriangle = "Mesh: 1 group, 3 vertices, 1 triangle, 0 materials, 0 textures, 1.00 x 1.00 x 0.00 m";
const std::string materialBlock = "MATERIAL hull\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0 0 0 1\n";

// Each rule of the loader's reading: a minimal mesh, what the simulator keeps of it, and what
// the check says.
const Rule rules[] = {
    // Text mode.
    {"CtrlZEndsTheFile", head + "GEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n\x1a" "0 1 2\n", "no mesh",
     w + "7: file ends in group 1 (0 of 1 triangle); Orbiter drops it"},
    {"LoneCrStaysInTheLine", "MSHX1\r\r\nGROUPS 1\n" + triangle, "no mesh", w + "1: first line is not MSHX1; Orbiter loads no mesh"},
    {"LoneCrCountsTowardsTheLimit", "MSHX1\n" + std::string(254, ';') + "\rx\nGROUPS 1\n" + triangle, "no mesh",
     w + "2: longer than 255 characters; Orbiter stops reading here"},
    {"NulEndsTheLinesText", std::string("MSHX1\0 exported\n", 16) + "GROUPS 1\n" + triangle, "g1 m0 t0 " + keptTriangle, oneTriangle},
    // Keywords.
    {"KeywordsArePrefixes", head + "MATERIAL1\nFLIPPED\nNONORMALS\nGEOM3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\nMATERIALS 1\nhull\n" + materialBlock + "TEXTURES 0\n",
     "g1 m1 t0 p(0 0 0)(1 0 0)(0 1 0) i0,2,1; M hull (1 1 1 1); ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 1 material, 0 textures, 1.00 x 1.00 x 0.00 m"},
    {"IndentedHeaderLineIsSkipped", head + " MATERIAL 1\n" + triangle, "g1 m0 t0 " + keptTriangle,
     w + "3: MATERIAL after a blank or tab; Orbiter skips this line"},
    {"IndentedGeomIsNotGeom", head + "\tGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n", "no mesh",
     w + "3: GEOM after a blank or tab; Orbiter skips this line"},
    // MATERIAL and TEXTURE indices.
    {"IndexWithoutNumberIsOneLower", head + "MATERIAL 2\nMATERIALS\nTEXTURE 3\nTEXTURE\n" + triangle,
     "g1 m1 t2 " + keptTriangle, w + "4: group 1 uses material 1 of 0; Orbiter gives it the default"},
    {"MinusOneAndNoLineInherit", "MSHX1\nGROUPS 3\nMATERIAL 2\nTEXTURE 1\n" + triangle + "MATERIAL -1\nTEXTURE -1\n" + triangle + triangle,
     "g1 m2 t1 " + keptTriangle + "g2 m2 t1 " + keptTriangle + "g3 m2 t1 " + keptTriangle,
     w + "3: group 1 uses material 2 of 0; Orbiter gives it the default"},
    // Groups skipped.
    {"EmptyGroupSkippedTheRestRead", "MSHX1\nGROUPS 2\nGEOM 0 3\n" + triangle, "g2 m0 t0 " + keptTriangle,
     w + "3: group 1 has no vertices; Orbiter drops it and mixes up the rest"},
    {"GeomWithoutCountsSkipped", "MSHX1\nGROUPS 2\nGEOM\n" + triangle, "g2 m0 t0 " + keptTriangle,
     w + "3: GEOM without two counts; Orbiter drops group 1"},
    {"GroupsZeroIsNoMesh", "MSHX1\nGROUPS 0\nMATERIALS 0\nTEXTURES 0\n", "no mesh", w + "2: GROUPS 0; Orbiter loads no mesh"},
    {"NoGroupKeptIsNoMesh", head + "GEOM 3 0\n0 0 0\n1 0 0\n0 1 0\n", "no mesh",
     w + "3: group 1 has no triangles; Orbiter drops it and mixes up the rest"},
    // Lists by counting lines.
    {"ShortColourLineLeavesZero", head + triangle + "MATERIALS 1\nhull\nMATERIAL hull\n1 1 1\n0 0 0 1\n0 0 0 1\n0 0 0 1\nTEXTURES 0\n",
     "g1 m0 t0 " + keptTriangle + "M hull (1 1 1 0); ", w + "11: colour of material 1 without 4 numbers; the material list is garbled"},
    {"BlockOpenedByAnyLine", head + triangle + "MATERIALS 1\nhull\nhull\n1 1 1 0.5\n0 0 0 1\n0 0 0 1\n0 0 0 1\nTEXTURES 0\n",
     "g1 m0 t0 " + keptTriangle + "M hull (1 1 1 0.5); ", w + "10: not MATERIAL name for material 1; the material list is garbled"},
    {"FileEndsInTheMaterialList", head + triangle + "MATERIALS 1\nhull\nMATERIAL hull\n", "g1 m0 t0 " + keptTriangle + "M hull (0 0 0 0); ",
     w + "11: file ends in the material list; materials are lost"},
    {"LongLineInAListIsCut", head + triangle + "MATERIALS 0\nTEXTURES 1\n" + std::string(300, 'a') + "\n",
     "g1 m0 t0 " + keptTriangle + "T " + std::string(255, 'a') + "; ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 0 materials, 1 texture, 1.00 x 1.00 x 0.00 m"},
    {"BlankTextureNameRepeatsTheOneBefore", head + triangle + "MATERIALS 0\nTEXTURES 2\nhull.dds D\n\n",
     "g1 m0 t0 " + keptTriangle + "T hull.dds D; T hull.dds D; ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 0 materials, 2 textures, 1.00 x 1.00 x 0.00 m"},
    {"MaterialsInAnyForm", head + triangle + "Materials1\nhull\n" + materialBlock + "TEXTURES 0\n",
     "g1 m0 t0 " + keptTriangle + "M hull (1 1 1 1); ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 1 material, 0 textures, 1.00 x 1.00 x 0.00 m"},
    {"MaterialsWithoutCountIsZero", head + triangle + "MATERIALS\nTEXTURES 1\nhull.dds\n", "g1 m0 t0 " + keptTriangle + "T hull.dds; ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 0 materials, 1 texture, 1.00 x 1.00 x 0.00 m"},
    // Numbers.
    {"HexadecimalFloats", head + "GEOM 3 1\n0 0 0\n0x10 0 0\n0 0x1p-1 0\n0 1 2\n", "g1 m0 t0 p(0 0 0)(16 0 0)(0 0.5 0) i0,1,2; ",
     "Mesh: 1 group, 3 vertices, 1 triangle, 0 materials, 0 textures, 16.00 x 0.50 x 0.00 m"},
    // Triangles.
    {"TriangleOfFewerNumbers", head + "GEOM 3 3\n0 0 0\n1 0 0\n0 1 0\n0 1\n\n0 1.5 2\n",
     "g1 m0 t0 p(0 0 0)(1 0 0)(0 1 0) i0,1,0,0,0,0,0,1,0; ", w + "7: not a triangle of 3 whole numbers in group 1"},
    {"IndicesIn16Bits", head + lit + "65538 0 1\n", "g1 m0 t0 p(0 0 0)(1 0 0)(0 1 0) i2,0,1; ", oneTriangle},
    {"IndexTheGroupLacksIsDropped", head + lit + "-1 0 1\n", "g1 m0 t0 p(0 0 0)(1 0 0)(0 1 0) i; ",
     w + "7: vertex index -1 is not in group 1 (0 to 2)"},
    // Where the loader fails.
    {"NegativeGeomCount", head + "GEOM -1 1\n", "no mesh", w + "3: GEOM -1 1; Orbiter fails on this line and may crash"},
    {"GeomCountPastAnInt", head + "GEOM 3 2147483648\n", "no mesh", w + "3: GEOM 3 2147483648; Orbiter fails on this line and may crash"},
    {"NegativeMaterialsCount", head + triangle + "MATERIALS -1\n", "g1 m0 t0 " + keptTriangle,
     w + "8: MATERIALS -1; Orbiter fails on this line and may crash"},
    {"FlipInAGroupTheFileEndsIn", head + "FLIP\nGEOM 3 1\n0 0 0\n", "no mesh", w + "3: FLIP; Orbiter fails on this line and may crash"},
    {"GeomWithOneCountAfterAKeptGroup", "MSHX1\nGROUPS 2\n" + triangle + "GEOM 3\n", "g1 m0 t0 " + keptTriangle,
     w + "8: GEOM 3; Orbiter fails on this line and may crash"},
    {"IndexTheGroupLacksWhereNormalsAreComputed", head + "GEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 3\n", "g1 m0 t0 p(0 0 0)(1 0 0)(0 1 0) i; ",
     w + "7: 0 1 3; Orbiter fails on this line and may crash"},
    {"EmptyGroupBeforeComputedNormals", "MSHX1\nGROUPS 2\nGEOM 0 0\n" + triangle, "g2 m0 t0 " + keptTriangle,
     w + "3: GEOM 0 0; Orbiter fails on this line and may crash"},
    {"EmptyGroupBeforeGivenNormals", "MSHX1\nGROUPS 2\nGEOM 0 0\n" + lit + "0 1 2\n", "g2 m0 t0 p(0 0 0)(1 0 0)(0 1 0) i0,1,2; ",
     w + "3: group 1 has no vertices; Orbiter drops it and mixes up the rest"},
};

class LoaderRule : public testing::TestWithParam<Rule> {};

// Fed whole and a byte at a time: the same model and the same check line.
TEST_P(LoaderRule, KeepsWhatTheSimulatorKeepsAndTheCheckSaysSo) {
    const Rule& rule = GetParam();
    EXPECT_EQ(kept(buildMeshModel(rule.mesh)), rule.kept);
    EXPECT_EQ(checkLine(rule.mesh), rule.check);
    MeshModelBuilder builder;
    MeshCheck check;
    for (char c : rule.mesh) builder.feed(&c, 1), check.feed(&c, 1);
    SCOPED_TRACE("byte by byte");
    EXPECT_EQ(kept(builder.finish()), rule.kept);
    EXPECT_EQ(check.verdict(), rule.check);
}

INSTANTIATE_TEST_SUITE_P(Rules, LoaderRule, testing::ValuesIn(rules),
                         [](const testing::TestParamInfo<Rule>& rule) { return std::string(rule.param.name); });

float realOf(const char* text) {
    std::size_t i = 0;
    double value = -1;
    EXPECT_TRUE(LineScan::readReal(text, i, value)) << text;
    return static_cast<float>(value);
}

// As %f reads into a float: hexadecimal, the largest float from just above it, infinity past
// that, and long digit strings rounded once, to the nearest float.
TEST(LineScan, ReadsRealsAsTheCLibraryReadsAFloat) {
    EXPECT_EQ(realOf("0x10"), 16.0f);
    EXPECT_EQ(realOf(" -0x1.8p1;"), -3.0f);
    EXPECT_EQ(realOf("3.4028235e38"), FLT_MAX);
    EXPECT_EQ(realOf("3.40282356e38"), FLT_MAX);
    EXPECT_TRUE(std::isinf(realOf("3.4028236e38")));
    EXPECT_EQ(realOf("1.000000059604644775390625"), 1.0f);  // halfway: to even
    EXPECT_EQ(realOf("1.0000000596046447753906250000000001"), std::nextafter(1.0f, 2.0f));
    EXPECT_TRUE(std::isnan(realOf("nan")));
    std::size_t i = 0;
    double value = 0;
    EXPECT_FALSE(LineScan::readReal("-- printed", i, value));
    EXPECT_EQ(i, 0u);
}

}  // namespace
