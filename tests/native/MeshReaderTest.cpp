#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineAssembly.h"
#include "MeshModelBuilder.h"

namespace {

std::vector<LineAssembly::Line> linesOf(const std::string& text, std::size_t pieceSize, std::vector<std::string>& texts) {
    LineAssembly assembly;
    std::vector<LineAssembly::Line> lines;
    auto keep = [&](const LineAssembly::Line& line) {
        texts.emplace_back(line.text);
        lines.push_back(line);
    };
    for (std::size_t i = 0; i < text.size(); i += pieceSize)
        assembly.feed(text.data() + i, std::min(pieceSize, text.size() - i), keep);
    assembly.finish(keep);
    return lines;
}

// LF ends a line and the CR of a CR LF is not part of it; a line over 255 characters is
// told once, as soon as it is known, with its first 256 bytes; a last line without a line end
// is a line.
TEST(LineAssembly, CutsLinesAsTheLoaderReadsThem) {
    const std::string text = "MSHX1\r\n\n" + std::string(255, 'a') + "\r\n" + std::string(300, 'b') + "\r\nlast";
    for (std::size_t pieceSize : {text.size(), std::size_t{1}, std::size_t{7}}) {
        SCOPED_TRACE("pieces of " + std::to_string(pieceSize));
        std::vector<std::string> texts;
        const auto lines = linesOf(text, pieceSize, texts);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(texts[0], "MSHX1");
        EXPECT_EQ(texts[1], "");
        EXPECT_EQ(texts[2], std::string(255, 'a'));
        EXPECT_FALSE(lines[2].tooLong);
        EXPECT_EQ(texts[3], std::string(256, 'b'));
        EXPECT_TRUE(lines[3].tooLong);
        EXPECT_EQ(texts[4], "last");
        for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].number, i + 1);
    }
}

// Feeds a text in blocks, as a dropped file is read, until the loader reads no more of it;
// returns how many bytes were fed.
std::size_t bytesRead(const std::string& text, std::size_t block = 64) {
    MeshModelBuilder builder;
    std::size_t fed = 0;
    while (!builder.readsNoMore() && fed < text.size()) {
        const std::size_t n = std::min(block, text.size() - fed);
        builder.feed(text.data() + fed, n);
        fed += n;
    }
    return fed;
}

const std::string mesh = "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n";

// Nothing after a line over 255 characters, after the texture list, or after a line the
// loader skips after the groups and a line that is not TEXTURES after it, changes what the
// loader keeps: a file is read no further, however long it is.
TEST(MeshReader, ReadsNoMoreOnceNothingLaterCounts) {
    const std::string junk(1 << 20, 'x');
    EXPECT_LT(bytesRead("MSHX1\n" + junk), 512u);                       // a first line without end
    EXPECT_LT(bytesRead(mesh.substr(0, 30) + junk + "\n" + junk), 512u);  // a long vertex line
    EXPECT_LT(bytesRead(mesh + "; exported\nby a script\n" + junk), mesh.size() + 128);
    EXPECT_LT(bytesRead(mesh + "MATERIALS 0\nTEXTURES 0\n" + junk), mesh.size() + 128);
    EXPECT_LT(bytesRead(mesh + junk + "\n" + junk), mesh.size() + 512);
    // Until then a later line may still count: a list after the groups, or a texture list
    // after a skipped line.
    const std::string lists = mesh + "; exported\nTEXTURES 1\nhull.dds\n";
    EXPECT_EQ(bytesRead(lists.substr(0, lists.size() - 9) + junk.substr(0, 100)), lists.size() - 9 + 100);
    EXPECT_EQ(buildMeshModel(lists).textures.size(), 1u);
}

}  // namespace
