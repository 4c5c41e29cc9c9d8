#include "MeshCapture.h"

#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

#include "CaptureTexts.h"
#include "LineBreaking.h"
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

MeshCapture::MeshCapture(LogPane& log, OutputFile& file, MeshVerdict& verdict, std::function<void()> releaseHook,
                         std::function<void()> releaseSender)
    : log(log),
      file(file),
      releaseHook(std::move(releaseHook)),
      releaseSender(std::move(releaseSender)),
      meshVerdict(verdict) {}

void MeshCapture::setListenerOutput(WindowHandle handle) { listenerOutput = handle; }

void MeshCapture::abandon() {
    updateProgressText();
    state = CaptureState::Idle;
    if (file.isOpen()) file.close();
}

bool MeshCapture::arm(const char* path) {
    if (!file.open(path)) return false;
    this->path = path;
    log.insertAtSelection(CaptureTexts::waitingNotice);
    state = CaptureState::Waiting;
    armedAgain = false;
    return true;
}

void MeshCapture::grabAgainAfterDone(bool on) {
    grabAgain = on;
    if (on || state != CaptureState::Waiting || !armedAgain) return;
    state = CaptureState::Idle;
    releaseHook();
    file.close();  // last: a failing close raises
}

// Runs once the end notice is in the log; the hook was kept.
void MeshCapture::armAgain() {
    if (!file.reopen()) {
        log.insertAtSelection(CaptureTexts::openFailure);
        releaseHook();
        return;
    }
    log.insertAtSelection(CaptureTexts::waitingNotice);
    state = CaptureState::Waiting;
    armedAgain = true;
}

// The sender is released once the piece is stored and fed to the verdict; the log comes after.
// A file error leaves before the release: the sender waits until the error is reported.
void MeshCapture::onTextPiece(const TextPiece& piece) {
    const std::uint32_t length = textLength(piece);
    const Outcome outcome = store(piece, length);
    if (outcome == Outcome::Written) meshVerdict.feed(piece.data, length);
    releaseSender();
    if (outcome == Outcome::Ended) {
        updateProgressText();
        // The verdict broken where it is wider than the pane, so it is read without scrolling.
        const std::string line = breakToFit(meshVerdict.verdict(), [this](std::string_view piece) { return log.fitsOnOneLine(piece); });
        log.insertAtSelection(("\r\n" + line).c_str());
        log.insertAtSelection(CaptureTexts::endNotice);
    }
    if (outcome == Outcome::Ended && grabAgain) armAgain();
}

MeshCapture::Outcome MeshCapture::store(const TextPiece& piece, std::uint32_t length) {
    if (piece.source == nullptr || piece.source != listenerOutput) return Outcome::Ignored;
    const std::string_view text = markerText(piece, length);

    switch (state) {
    case CaptureState::Idle:
        break;
    case CaptureState::Waiting:
        if (text.substr(0, CaptureTexts::startMarker.size()) != CaptureTexts::startMarker) break;
        startGrabbing(piece, length);
        return Outcome::Written;
    case CaptureState::Grabbing:
        if (containsBytes(text, CaptureTexts::endMarker, CaptureTexts::endMarkerAnchor)) {
            closeAtEnd();
            return Outcome::Ended;
        }
        writePiece(piece, length);
        if (containsCrLf(text)) ++lineCount;
        return Outcome::Written;
    }
    return Outcome::Ignored;
}

void MeshCapture::startGrabbing(const TextPiece& piece, std::uint32_t length) {
    state = CaptureState::Grabbing;
    log.insertAtSelection(CaptureTexts::startNotice);
    progressPosition = log.caretPosition();
    lineCount = lineCountShown = 0;
    writtenLength = 0;
    meshVerdict.reset(path);
    if (std::exchange(armedAgain, false)) emptyFile();
    writePiece(piece, length);
}

void MeshCapture::emptyFile() {
    try {
        file.empty();
    } catch (...) {
        stopAfterFileError();
        throw;
    }
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

void MeshCapture::closeAtEnd() {
    try {
        file.close();
    } catch (...) {
        stopAfterFileError();
        throw;
    }
    state = CaptureState::Idle;
    if (!grabAgain) releaseHook();  // kept for the next mesh
}

// A file that failed once is never reported as done: a write may have put part of its
// piece into the file, which is cut off again, so the file holds exactly the whole pieces
// written before the failure. The failure notice stands where the end notice would have.
void MeshCapture::stopAfterFileError() {
    file.cutBackAndClose(writtenLength);
    state = CaptureState::Idle;
    releaseHook();
    updateProgressText();
    log.insertAtSelection(CaptureTexts::failureNotice);
}

// Formats "<count> Lines read" on the stack and replaces the log from the progress position on.
bool MeshCapture::updateProgressText() {
    if (lineCount == lineCountShown) return false;
    lineCountShown = lineCount;
    char progress[32];
    char* end = std::to_chars(progress, progress + 11, lineCount).ptr;
    std::memcpy(end, CaptureTexts::progressSuffix, std::strlen(CaptureTexts::progressSuffix) + 1);
    log.selectToEnd(progressPosition);
    log.scrollCaretIntoView();
    log.insertAtSelection(progress);
    return true;
}
