#include "MeshCapture.h"

#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

#include "CaptureTexts.h"
#include "TextSearch.h"

namespace {

// The text of a piece that the marker tests look at: size - 1 bytes, cut at an earlier NUL.
std::uint32_t textLength(const TextPiece& piece) {
    if (piece.data == nullptr || piece.size == 0) return 0;
    return piece.size - 1;
}

std::string_view markerText(const TextPiece& piece, std::uint32_t length) {
    if (length == 0) return {};
    const void* nul = std::memchr(piece.data, '\0', length);
    std::size_t cut = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data) : length;
    return {piece.data, cut};
}

}  // namespace

MeshCapture::MeshCapture(LogPane& log, OutputFile& file, std::function<void()> releaseHook)
    : log(log), file(file), releaseHook(std::move(releaseHook)) {}

void MeshCapture::setListenerOutput(WindowHandle handle) { listenerOutput = handle; }

void MeshCapture::abandon() {
    state = CaptureState::Idle;
    if (file.isOpen()) file.close();
}

bool MeshCapture::arm(const char* path) {
    if (!file.open(path)) return false;
    log.insertAtSelection(CaptureTexts::waitingNotice);
    state = CaptureState::Waiting;
    return true;
}

void MeshCapture::onTextPiece(const TextPiece& piece) {
    if (piece.source == nullptr || piece.source != listenerOutput) return;
    const std::uint32_t length = textLength(piece);
    const std::string_view text = markerText(piece, length);

    switch (state) {
    case CaptureState::Idle:
        return;
    case CaptureState::Waiting:
        if (text.substr(0, CaptureTexts::startMarker.size()) == CaptureTexts::startMarker)
            startGrabbing(piece, length);
        return;
    case CaptureState::Grabbing:
        if (containsBytes(text, CaptureTexts::endMarker, CaptureTexts::endMarkerAnchor)) {
            finish();
            return;
        }
        writePiece(piece, length);
        if (containsCrLf(text)) {
            ++lineCount;
            showProgress();
        }
        return;
    }
}

void MeshCapture::startGrabbing(const TextPiece& piece, std::uint32_t length) {
    state = CaptureState::Grabbing;
    log.insertAtSelection(CaptureTexts::startNotice);
    progressPosition = log.caretPosition();
    lineCount = 0;
    writtenLength = 0;
    writePiece(piece, length);
}

void MeshCapture::writePiece(const TextPiece& piece, std::uint32_t length) {
    try {
        file.write(piece.data, length);
    } catch (...) {
        stopAfterFileError();
        throw;
    }
    writtenLength += length;
}

void MeshCapture::finish() {
    try {
        file.close();
    } catch (...) {
        stopAfterFileError();
        throw;
    }
    state = CaptureState::Idle;
    releaseHook();
    log.insertAtSelection(CaptureTexts::endNotice);
}

// A file that failed once is never reported as done: a write may have put part of its
// piece into the file, which is cut off again, so the file holds exactly the whole pieces
// written before the failure. The failure notice stands where the end notice would have.
void MeshCapture::stopAfterFileError() {
    file.cutBackAndClose(writtenLength);
    state = CaptureState::Idle;
    releaseHook();
    log.insertAtSelection(CaptureTexts::failureNotice);
}

// Formats "<count> Lines read" on the stack: this runs for nearly every piece of a mesh.
void MeshCapture::showProgress() {
    char progress[32];
    char* end = std::to_chars(progress, progress + 11, lineCount).ptr;
    std::memcpy(end, CaptureTexts::progressSuffix, std::strlen(CaptureTexts::progressSuffix) + 1);
    log.selectToEnd(progressPosition);
    log.scrollCaretIntoView();
    log.insertAtSelection(progress);
}
