#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "FileBytes.h"
#include "MeshCapture.h"
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

// Feeds chatter, the pieces and the closing chatter through a capture, as the listener
// would print them, and checks the file and the final log.
void roundTrip(const std::string& mesh, const std::vector<std::string>& pieces, const std::string& label) {
    FakeLogPane log;
    FakeOutputFile file;
    int releases = 0;
    MeshCapture capture(log, file, [&] { ++releases; });
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
                            "\r\nDone\r\n\r\n") << label;
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
        ASSERT_EQ(mesh.compare(0, 5, "MSHX1"), 0) << path;
        const std::string name = path.filename().string();
        roundTrip(mesh, PieceCutter::lines(mesh), name + " in lines");
        // A random chunk must not split the marker; the first chunk must hold the whole marker.
        auto chunks = PieceCutter::chunks(mesh.substr(5), ++seed, 1, 600);
        chunks.insert(chunks.begin(), "MSHX1");
        roundTrip(mesh, chunks, name + " in chunks");
        roundTrip(mesh, PieceCutter::lineGroups(mesh, 7), name + " in groups of 7 lines");
    }
}

}  // namespace
