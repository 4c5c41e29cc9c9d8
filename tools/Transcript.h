#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the stand-in listener prints: pieces of text, each to the output pane (0) or to the
// second pane (1), in order. Portable, so tests can build the same transcript to compare.
struct TranscriptPiece {
    int pane;
    std::string text;
};

struct TranscriptOptions {
    std::string meshFile;              // a mesh or text file; empty: a synthetic mesh
    std::size_t syntheticBytes = 20000;
    std::string cut = "lines";         // lines | chunks | groups
    std::uint32_t seed = 1;
    std::size_t maxChunk = 600;
    std::size_t groupLines = 5;
    bool chatter = true;               // export chatter before and after the mesh
    std::size_t secondPaneEvery = 0;   // after every n-th mesh piece, one to the second pane
    bool endMarker = true;             // false: the mesh stops without its end (an export cut short)
};

// Builds the transcript; the mesh's line ends become CR LF, and the end marker follows on a
// line of its own. Returns false with a message in error when the options are not usable.
bool buildTranscript(const TranscriptOptions& options, std::vector<TranscriptPiece>& out, std::string& error);

// The pieces a capture of that transcript writes, in order: from the start piece up to the
// end marker's piece (not included).
std::vector<std::string_view> transcriptMeshPieces(const std::vector<TranscriptPiece>& transcript);
// The mesh bytes a capture of that transcript must write.
std::string transcriptMesh(const std::vector<TranscriptPiece>& transcript);
// The count the capture's progress line ends with: the written pieces after the start piece
// that hold CR LF.
int transcriptProgressCount(const std::vector<TranscriptPiece>& transcript);
// The mesh check's line for the mesh of that transcript, which a capture logs before Done.
std::string transcriptCheckLine(const std::vector<TranscriptPiece>& transcript);
