#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "FileBytes.h"
#include "CaptureTexts.h"
#include "MeshCapture.h"
#include "MeshCheckVerdict.h"
#include "PieceCutter.h"

namespace {

namespace fs = std::filesystem;

fs::path meshFolder() { return fs::path(TESSORAN_SOURCE_DIR) / ".." / "shared" / "meshes"; }

std::vector<fs::path> realMeshes() {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(meshFolder(), ec))
        if (entry.path().extension() == ".msh") found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

// What the mesh check says of each real mesh: its structure as its sources describe it, and its size.
const std::map<std::string, std::string> checkLines = {
    {"dummy.msh", "Mesh: 1 group, 4 vertices, 2 triangles, 1 material, 1 texture, 576.00 x 0.00 x 288.00 m"},
    {"Taxiway1.msh", "Mesh: 1 group, 56 vertices, 28 triangles, 0 materials, 0 textures, 2000.00 x 0.00 x 51.32 m"},
    {"ShuttleA_2dpanel1.msh", "Mesh: 3 groups, 72 vertices, 36 triangles, 0 materials, 3 textures, 1280.00 x 299.00 x 0.00 m"},
    {"D3D9Arrow.msh", "Mesh: 1 group, 50 vertices, 78 triangles, 1 material, 0 textures, 2.00 x 2.00 x 2.00 m"},
    {"dg_2dpanel0.msh", "Mesh: 12 groups, 927 vertices, 472 triangles, 0 materials, 3 textures, 1280.00 x 589.00 x 0.00 m"},
    {"Atlantis_tank.msh", "Mesh: 20 groups, 2967 vertices, 2751 triangles, 6 materials, 1 texture, 8.40 x 9.91 x 47.13 m"},
    {"D3D9HSphere.msh", "Mesh: 1 group, 2562 vertices, 5120 triangles, 1 material, 0 textures, 20.00 x 20.00 x 20.00 m"},
    {"adapter.msh", "Mesh: 7 groups, 2682 vertices, 4126 triangles, 5 materials, 2 textures, 7.10 x 5.93 x 6.07 m"},
    {"deltaglider.msh", "Mesh: 122 groups, 14516 vertices, 11893 triangles, 27 materials, 10 textures, 17.87 x 4.93 x 18.72 m"},
};

// Feeds chatter, the pieces and the closing chatter through a capture, as the listener
// would print them, and checks the file and the final log with the check's line.
void roundTrip(const std::string& mesh, const std::vector<std::string>& pieces, const std::string& checkLine,
               const std::string& label) {
    FakeLogPane log;
    FakeOutputFile file;
    MeshCheckVerdict verdict;
    int releases = 0;
    MeshCapture capture(log, file, verdict, [&] { ++releases; });
    const WindowHandle listener = reinterpret_cast<WindowHandle>(std::uintptr_t{0x100});
    capture.setListenerOutput(listener);
    capture.abandon();
    ASSERT_TRUE(capture.arm("mesh.msh"));

    auto print = [&](const std::string& text) {
        std::string block = text + '\0';
        capture.onTextPiece({listener, block.data(), static_cast<std::uint32_t>(block.size())});
    };
    for (const auto& c : PieceCutter::chatterBefore()) print(c);
    int counted = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        print(pieces[i]);
        if (i > 0 && pieces[i].find("\r\n") != std::string::npos) ++counted;
    }
    // A mesh without a final line end: the marker line follows on a line of its own.
    if (!mesh.empty() && mesh.back() != '\n') print("\r\n");
    for (const auto& c : PieceCutter::chatterAfter()) print(c);

    std::string expectedMesh = mesh;
    if (!mesh.empty() && mesh.back() != '\n') { expectedMesh += "\r\n"; ++counted; }
    ASSERT_EQ(file.files["mesh.msh"].size(), expectedMesh.size()) << label;
    EXPECT_TRUE(file.files["mesh.msh"] == expectedMesh) << label;
    EXPECT_EQ(log.text, "Waiting for *.msh file start...\r\nGrabbing... " +
                            (counted ? std::to_string(counted) + " Lines read" : std::string()) +
                            "\r\n" + checkLine + "\r\nDone\r\n\r\n") << label;
    EXPECT_EQ(releases, 1) << label;
}

TEST(RealMeshRoundTrip, EveryMeshInLinesChunksAndLineGroups) {
    const auto meshes = realMeshes();
    if (meshes.empty()) GTEST_SKIP() << "no real meshes at " << meshFolder() << "; round trip skipped";
    std::uint32_t seed = 7;
    for (const auto& path : meshes) {
        std::string raw;
        ASSERT_TRUE(readFileBytes(path.string(), raw)) << path;
        const std::string mesh = PieceCutter::toCrLf(raw);
        const std::string startMarker(CaptureTexts::startMarker);
        ASSERT_EQ(mesh.compare(0, startMarker.size(), startMarker), 0) << path;
        const std::string name = path.filename().string();
        ASSERT_EQ(checkLines.count(name), 1u) << "no check line known for " << name;
        const std::string& checkLine = checkLines.at(name);
        roundTrip(mesh, PieceCutter::lines(mesh), checkLine, name + " in lines");
        // A random chunk must not split the marker; the first chunk must hold the whole marker.
        auto chunks = PieceCutter::chunks(mesh.substr(startMarker.size()), ++seed, 1, 600);
        chunks.insert(chunks.begin(), startMarker);
        roundTrip(mesh, chunks, checkLine, name + " in chunks");
        roundTrip(mesh, PieceCutter::lineGroups(mesh, 7), checkLine, name + " in groups of 7 lines");
    }
}

}  // namespace
