#include <gtest/gtest.h>

#include "PieceCutter.h"
#include "SyntheticMesh.h"
#include "Transcript.h"

namespace {

std::string joined(const std::vector<std::string>& pieces) {
    std::string s;
    for (const auto& p : pieces) s += p;
    return s;
}

TEST(PieceCutter, EveryCutKeepsTheTextAndItsShape) {
    const std::string text = PieceCutter::toCrLf(makeSyntheticMesh(20000)) + "no end";
    ASSERT_EQ(text.find("\n\n"), std::string::npos);
    EXPECT_EQ(PieceCutter::toCrLf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");

    auto lines = PieceCutter::lines(text);
    EXPECT_EQ(joined(lines), text);
    EXPECT_EQ(lines.back(), "no end");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        ASSERT_EQ(lines[i].find('\n'), lines[i].size() - 1);

    auto groups = PieceCutter::lineGroups(text, 5);
    EXPECT_EQ(joined(groups), text);
    EXPECT_EQ(groups.size(), (lines.size() + 4) / 5);

    auto chunks = PieceCutter::chunks(text, 3, 1, 600);
    EXPECT_EQ(joined(chunks), text);
    EXPECT_EQ(chunks, PieceCutter::chunks(text, 3, 1, 600));
    EXPECT_NE(chunks, PieceCutter::chunks(text, 4, 1, 600));
    for (const auto& c : chunks) ASSERT_TRUE(!c.empty() && c.size() <= 600);
}

}  // namespace

namespace {

TEST(Transcript, HoldsTheMeshBetweenChatterInEveryCut) {
    for (const char* cut : {"lines", "chunks", "groups"}) {
        TranscriptOptions options;
        options.syntheticBytes = 5000;
        options.cut = cut;
        options.secondPaneEvery = 3;
        std::vector<TranscriptPiece> transcript;
        std::string error;
        ASSERT_TRUE(buildTranscript(options, transcript, error)) << error;
        EXPECT_EQ(transcriptMesh(transcript), PieceCutter::toCrLf(makeSyntheticMesh(5000))) << cut;
        EXPECT_EQ(transcript.back().text, "Export finished\r\n");
        EXPECT_GT(transcriptProgressCount(transcript), 0) << cut;
    }
    TranscriptOptions bad;
    bad.cut = "words";
    std::vector<TranscriptPiece> transcript;
    std::string error;
    EXPECT_FALSE(buildTranscript(bad, transcript, error));
    EXPECT_NE(error.find("words"), std::string::npos);
}

}  // namespace
