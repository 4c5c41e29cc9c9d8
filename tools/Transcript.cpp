#include "Transcript.h"

#include "CaptureTexts.h"
#include "FileBytes.h"
#include "MeshCheck.h"
#include "PieceCutter.h"
#include "SyntheticMesh.h"

bool buildTranscript(const TranscriptOptions& o, std::vector<TranscriptPiece>& out, std::string& error) {
    std::string mesh;
    if (o.meshFile.empty()) {
        mesh = makeSyntheticMesh(o.syntheticBytes);
    } else {
        if (!readFileBytes(o.meshFile, mesh)) { error = "cannot read " + o.meshFile; return false; }
    }
    mesh = PieceCutter::toCrLf(mesh);
    if (!mesh.empty() && mesh.back() != '\n') mesh += "\r\n";
    const std::string startMarker(CaptureTexts::startMarker);
    if (mesh.compare(0, startMarker.size(), startMarker) != 0) { error = "the mesh does not begin with MSHX1"; return false; }

    std::vector<std::string> pieces;
    if (o.cut == "lines") {
        pieces = PieceCutter::lines(mesh);
    } else if (o.cut == "chunks") {
        // The first piece must start with the whole marker to start a capture.
        pieces = PieceCutter::chunks(std::string_view(mesh).substr(startMarker.size()), o.seed, 1,
                                     o.maxChunk ? o.maxChunk : 1);
        pieces.insert(pieces.begin(), startMarker);
    } else if (o.cut == "groups") {
        pieces = PieceCutter::lineGroups(mesh, o.groupLines);
    } else {
        error = "unknown cut '" + o.cut + "' (lines, chunks or groups)";
        return false;
    }

    out.clear();
    if (o.chatter)
        for (auto& c : PieceCutter::chatterBefore()) out.push_back({0, c});
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        out.push_back({0, pieces[i]});
        if (o.secondPaneEvery && (i + 1) % o.secondPaneEvery == 0) out.push_back({1, "-- MSHX1 in the second pane\r\n"});
    }
    if (!o.endMarker) return true;
    if (o.chatter) {
        for (auto& c : PieceCutter::chatterAfter()) out.push_back({0, c});
    } else {
        out.push_back({0, PieceCutter::endMarkerLine});
    }
    return true;
}

std::vector<std::string_view> transcriptMeshPieces(const std::vector<TranscriptPiece>& transcript) {
    std::vector<std::string_view> written;
    for (const auto& p : transcript) {
        if (p.pane != 0) continue;
        if (written.empty()) {
            if (std::string_view(p.text).substr(0, CaptureTexts::startMarker.size()) != CaptureTexts::startMarker)
                continue;
        } else if (std::string_view(p.text).find(CaptureTexts::endMarker) != std::string_view::npos) {
            break;
        }
        written.push_back(p.text);
    }
    return written;
}

std::string transcriptMesh(const std::vector<TranscriptPiece>& transcript) {
    std::string mesh;
    for (std::string_view piece : transcriptMeshPieces(transcript)) mesh += piece;
    return mesh;
}

int transcriptProgressCount(const std::vector<TranscriptPiece>& transcript) {
    const auto written = transcriptMeshPieces(transcript);
    int count = 0;
    for (std::size_t i = 1; i < written.size(); ++i)
        if (written[i].find("\r\n") != std::string_view::npos) ++count;
    return count;
}

std::string transcriptCheckLine(const std::vector<TranscriptPiece>& transcript) {
    MeshCheck check;
    for (std::string_view piece : transcriptMeshPieces(transcript)) check.feed(piece.data(), piece.size());
    return check.verdict();
}
