// The view draws what the loader reads (through the shared mesh reader), holds what the check
// counts and measures, and every real mesh fits the picture in each axis view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "FrameBuffer.h"
#include "MeshCheck.h"
#include "MeshModelBuilder.h"
#include "MeshViewer.h"

namespace {

namespace fs = std::filesystem;

fs::path meshFolder() { return fs::path(TESSORAN_SOURCE_DIR) / ".." / "shared" / "meshes"; }

std::string readText(const fs::path& path) {
    std::string text;
    readFileBytes(path.string(), text);
    return text;
}

// A square from (10, 10) to (12, 12) whose export printed a message among its vertices: the
// message is read as a vertex at the origin and the lines after it shift, so the loader keeps
// one triangle, from two corners of the square to the origin.
const char* const shiftedSquare =
    "MSHX1\nGROUPS 1\nGEOM 4 2\n"
    "10 10 0 0 0 1\n12 10 0 0 0 1\n-- Warning: smoothing groups ignored\n12 12 0 0 0 1\n10 12 0 0 0 1\n"
    "0 1 2\n0 2 3\n";

TEST(MeshViewOfTheLoadedMesh, AShiftedVertexIsDrawnAtTheOrigin) {
    MeshViewer viewer;
    viewer.show(buildMeshModel(shiftedSquare));
    ASSERT_EQ(viewer.content(), MeshViewer::Content::Mesh);
    EXPECT_EQ(viewer.summary(), "12.00 x 12.00 x 0.00 m, 1 group, 4 vertices, 1 triangle");
    FrameBuffer buffer;
    buffer.resize(200, 200);
    viewer.resize(200, 200);
    viewer.command(MeshViewer::Command::LookFromBehind);  // from behind, where the kept triangle faces the camera
    viewer.render(buffer);
    auto groupAt = [&](Vec3 world) {
        const Camera& c = viewer.camera();
        const Vec3 v = c.toView(viewer.geometry().toUnits(world));
        return buffer.groupAt(static_cast<int>(c.screenX(v)), static_cast<int>(c.screenY(v)));
    };
    EXPECT_EQ(groupAt({1.1f, 1.0f, 0}), 0) << "nothing drawn near the origin";
    EXPECT_EQ(groupAt({11.0f, 9.7f, 0}), 0);
    EXPECT_EQ(groupAt({10.5f, 11.5f, 0}), -1) << "the square's other half is drawn";
}

TEST(MeshViewOfTheLoadedMesh, AFileTheLoaderRejectsIsNotDrawn) {
    MeshViewer viewer;
    viewer.show(buildMeshModel("MSHX1 \nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n"));
    EXPECT_EQ(viewer.content(), MeshViewer::Content::LoadsNothing);
    EXPECT_NE(viewer.message().find("loads no mesh"), std::string::npos);
    EXPECT_EQ(viewer.summary(), "");
    FrameBuffer buffer;
    buffer.resize(50, 50);
    viewer.resize(50, 50);
    viewer.render(buffer);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(buffer.groupAt(x, y), -1);
    EXPECT_FALSE(viewer.command(MeshViewer::Command::LookFromAhead));
}

// Every pixel of the mesh lies inside the picture with a margin (none on its outermost
// rows and columns), and the mesh is as large as fits, unless it is flat across the line of
// sight and seen edge on.
TEST(MeshViewOfRealMeshes, EachFitsThePictureInAllSixAxisViews) {
    std::vector<fs::path> meshes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(meshFolder(), error))
        if (entry.path().extension() == ".msh") meshes.push_back(entry.path());
    if (meshes.empty()) GTEST_SKIP() << "no real meshes at " << meshFolder() << "; skipped";

    constexpr int width = 160, height = 120;
    for (const fs::path& path : meshes) {
        const std::string text = readText(path);
        MeshViewer viewer;
        viewer.show(buildMeshModel(text));
        ASSERT_EQ(viewer.content(), MeshViewer::Content::Mesh) << path.filename();
        // The view holds what the check counted and measured.
        MeshCheck check;
        check.feed(text.data(), text.size());
        std::smatch line;
        const std::string checkLine = check.verdict();
        ASSERT_TRUE(std::regex_match(checkLine, line, std::regex("Mesh: (.*), \\d+ materials?, \\d+ textures?, (.*)")));
        EXPECT_EQ(viewer.summary(), line[2].str() + ", " + line[1].str()) << path.filename();
        const Vec3 size = viewer.geometry().bounds.size();
        const float largest = std::max({size.x, size.y, size.z});
        const float across[6][2] = {{size.x, size.y}, {size.x, size.y}, {size.z, size.y},
                                    {size.z, size.y}, {size.x, size.z}, {size.x, size.z}};
        FrameBuffer buffer;
        buffer.resize(width, height);
        viewer.resize(width, height);
        for (int view = 0; view < 6; ++view) {
            viewer.command(static_cast<MeshViewer::Command>(static_cast<int>(MeshViewer::Command::LookFromAhead) + view));
            viewer.render(buffer);
            int left = width, right = -1, top = height, bottom = -1;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (buffer.groupAt(x, y) >= 0) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
            const std::string what = path.filename().string() + ", view " + std::to_string(view + 1);
            const bool flat = std::min(across[view][0], across[view][1]) < 1e-3f * largest;
            if (right < 0) {
                EXPECT_TRUE(flat) << what << ": nothing drawn";
                continue;
            }
            EXPECT_GT(left, 0) << what;
            EXPECT_GT(top, 0) << what;
            EXPECT_LT(right, width - 1) << what;
            EXPECT_LT(bottom, height - 1) << what;
            // Fitted: as large as fits, so on one side at least it comes close to the edge.
            const int gap = std::min({left, top, width - 1 - right, height - 1 - bottom});
            if (!flat) {
                EXPECT_LE(gap, height / 10) << what << ": " << left << "-" << right << " x " << top << "-" << bottom;
            }
        }
    }
}

}  // namespace
