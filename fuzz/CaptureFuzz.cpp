// The capture's state machine driven by the input: pieces of listener output (with and
// without the markers, from the listener and from another window), Grab, Grab Again on and
// off, screen-rate progress updates, and files that fail to open, write, empty or close.
// After every step:
// - a file is open exactly when the capture is not Idle, and the hook is set then;
// - a piece's bytes are read only until its sender is released (the piece is freed then),
//   and the sender is released once for every piece that raises no error;
// - at Done the file holds the mesh byte for byte: the start-marker piece and every piece
//   after it up to, not including, the piece with the end marker; the log ends with the end
//   notice (and the waiting notice when grabbing again), and the hook is released unless
//   Grab Again is on;
// - after a file error the capture is Idle, its file closed, the hook released, and a failed
//   write leaves the whole pieces before it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "CaptureTexts.h"
#include "FakeLogPane.h"
#include "FakeOutputFile.h"
#include "FuzzInput.h"
#include "GrabCommand.h"
#include "MeshCapture.h"
#include "MeshCheckVerdict.h"

namespace {

WindowHandle windowNumber(std::uintptr_t n) { return reinterpret_cast<WindowHandle>(n); }
const WindowHandle listener = windowNumber(0x1000);
const WindowHandle otherWindow = windowNumber(0x2000);

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The window system of a Grab, failing where the input says.
struct Windows : GrabWindows {
    bool listenerOpen = true, hookFails = false, cancels = false;
    bool& hookSet;
    explicit Windows(bool& hookSet) : hookSet(hookSet) {}

    WindowHandle findListenerOutput() override { return listenerOpen ? listener : nullptr; }
    bool hookThreadOf(WindowHandle output) override {
        FUZZ_ASSERT(output == listener);
        if (hookFails) return false;
        hookSet = true;
        return true;
    }
    bool askForFileName(std::string& path) override {
        path = "mesh.msh";
        return !cancels;
    }
    void removeHook() override { hookSet = false; }
};

struct Run {
    FakeLogPane log;
    FakeOutputFile file;
    MeshCheckVerdict verdict;
    bool hookSet = false;
    int hookReleases = 0;
    char* piece = nullptr;  // the piece being sent; freed when its sender is released
    int senderReleases = 0;
    MeshCapture capture{log, file, verdict,
                        [this] {
                            hookSet = false;
                            ++hookReleases;
                        },
                        [this] {
                            ++senderReleases;
                            delete[] piece;
                            piece = nullptr;
                        }};
    std::string mesh;  // what the file must hold at Done

    void checkState() {
        FUZZ_ASSERT(file.isOpen() == (capture.currentState() != CaptureState::Idle));
        if (capture.currentState() != CaptureState::Idle) FUZZ_ASSERT(hookSet);
    }

    // The Grab command, each of its steps failing where the input says.
    void grab(int failing) {
        Windows windows(hookSet);
        windows.listenerOpen = failing != 1;
        windows.hookFails = failing == 2;
        windows.cancels = failing == 3;
        file.failOpen = failing == 4;
        const int hookReleasesBefore = hookReleases;
        GrabCommand::Outcome outcome;
        try {
            outcome = GrabCommand(capture, log, windows).run();
        } catch (const FakeFileError&) {
            FUZZ_ASSERT(capture.currentState() == CaptureState::Idle && !file.isOpen());
            file.failClose = false;
            return;  // the Grab ends with the error
        }
        file.failOpen = false;
        FUZZ_ASSERT(hookReleases == hookReleasesBefore);  // abandoning keeps the hook
        using Outcome = GrabCommand::Outcome;
        FUZZ_ASSERT(outcome == (failing == 1   ? Outcome::ListenerNotFound
                                : failing == 2 ? Outcome::HookFailed
                                : failing == 3 ? Outcome::Cancelled
                                : failing == 4 ? Outcome::FileNotOpened
                                               : Outcome::Armed));
        FUZZ_ASSERT((capture.currentState() == CaptureState::Waiting) == (outcome == Outcome::Armed));
        if (outcome == Outcome::Armed) FUZZ_ASSERT(endsWith(log.text, CaptureTexts::waitingNotice));
        if (outcome == Outcome::FileNotOpened) FUZZ_ASSERT(!hookSet);
    }

    void send(const std::string& text, WindowHandle source, std::uint32_t size) {
        const CaptureState before = capture.currentState();
        const int releasesBefore = hookReleases;
        const std::string fileBefore = file.files["mesh.msh"];
        piece = new char[text.size() + 1];
        std::memcpy(piece, text.data(), text.size());
        piece[text.size()] = '\0';
        const std::uint32_t length = size > 0 ? size - 1 : 0;
        const std::string written = text.substr(0, length);
        // What the marker tests see: the text up to its first NUL.
        const std::string_view shown(piece, std::min<std::size_t>(std::strlen(piece), length));
        const bool startsMesh = shown.substr(0, CaptureTexts::startMarker.size()) == CaptureTexts::startMarker;
        const bool endsMesh = shown.find(CaptureTexts::endMarker) != std::string_view::npos;
        const int sendersBefore = senderReleases;
        try {
            capture.onTextPiece({source, piece, size});
        } catch (const FakeFileError&) {
            FUZZ_ASSERT(senderReleases == sendersBefore);  // the sender waits for the error
            delete[] piece;
            piece = nullptr;
            FUZZ_ASSERT(capture.currentState() == CaptureState::Idle && !file.isOpen());
            FUZZ_ASSERT(hookReleases == releasesBefore + 1 && !hookSet);
            FUZZ_ASSERT(endsWith(log.text, CaptureTexts::failureNotice));
            // A failed write or close leaves the whole pieces before it (the fake cuts nothing
            // back while emptying fails).
            if (!file.failEmpty) FUZZ_ASSERT(file.files["mesh.msh"] == (before == CaptureState::Grabbing ? mesh : ""));
            file.failWriteNumber = 0;
            file.failClose = file.failEmpty = false;
            return;
        }
        FUZZ_ASSERT(senderReleases == sendersBefore + 1 && piece == nullptr);
        const bool fromListener = source == listener && source == capture.currentListenerOutput();
        if (!fromListener || before == CaptureState::Idle) {
            FUZZ_ASSERT(capture.currentState() == before);
            FUZZ_ASSERT(file.files["mesh.msh"] == fileBefore);
            return;
        }
        if (before == CaptureState::Waiting) {
            if (!startsMesh) {
                FUZZ_ASSERT(capture.currentState() == CaptureState::Waiting);
                return;
            }
            FUZZ_ASSERT(capture.currentState() == CaptureState::Grabbing);
            mesh = written;
        } else if (!endsMesh) {
            FUZZ_ASSERT(capture.currentState() == CaptureState::Grabbing);
            mesh += written;
        } else {
            // Done.
            FUZZ_ASSERT(capture.currentState() != CaptureState::Grabbing);
            FUZZ_ASSERT(file.files["mesh.msh"] == mesh);
            const bool waitsAgain = capture.currentState() == CaptureState::Waiting;
            if (!capture.grabsAgainAfterDone()) {
                FUZZ_ASSERT(!waitsAgain && hookReleases == releasesBefore + 1 && !hookSet);
                FUZZ_ASSERT(endsWith(log.text, CaptureTexts::endNotice));
            } else if (waitsAgain) {
                FUZZ_ASSERT(hookReleases == releasesBefore && hookSet);
                FUZZ_ASSERT(endsWith(log.text, std::string(CaptureTexts::endNotice) + CaptureTexts::waitingNotice));
            } else {  // the file could not be opened again
                FUZZ_ASSERT(hookReleases == releasesBefore + 1 && !hookSet);
                FUZZ_ASSERT(endsWith(log.text, std::string(CaptureTexts::endNotice) + CaptureTexts::openFailure));
            }
        }
        if (capture.currentState() == CaptureState::Grabbing) FUZZ_ASSERT(file.files["mesh.msh"] == mesh);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    Run run;
    const std::string endMarker(CaptureTexts::endMarker);
    for (int step = 0; step < 256 && input.remaining() > 0; ++step) {
        switch (input.numberIn(0, 9)) {
        case 0: {
            const int how = input.numberIn(0, 7);
            run.grab(how <= 4 ? how : 0);
            break;
        }
        case 1:
            try {
                run.capture.grabAgainAfterDone(input.flag());
            } catch (const FakeFileError&) {
                FUZZ_ASSERT(run.capture.currentState() == CaptureState::Idle && !run.file.isOpen());
                run.file.failClose = false;
            }
            break;
        case 2:  // one of the file's next operations fails
            switch (input.numberIn(0, 3)) {
            case 0:
                run.file.failWriteNumber = run.file.writes + input.numberIn(1, 4);
                run.file.failingWriteKeeps = static_cast<std::uint32_t>(input.numberIn(0, 64));
                break;
            case 1: run.file.failClose = true; break;
            case 2: run.file.failEmpty = true; break;
            case 3: run.file.failOpen = true; break;  // the next reopen after Done
            }
            break;
        case 3: run.capture.updateProgressText(); break;
        case 4: {  // a piece that starts the mesh
            const std::string text = std::string(CaptureTexts::startMarker) + input.text(64);
            run.send(text, listener, static_cast<std::uint32_t>(text.size() + 1));
            break;
        }
        case 5: {  // a piece with the end marker somewhere
            const std::string text = input.text(16) + endMarker + input.text(16);
            run.send(text, listener, static_cast<std::uint32_t>(text.size() + 1));
            break;
        }
        case 6: {  // a piece from another window
            const std::string text = input.flag() ? std::string(CaptureTexts::startMarker) : endMarker;
            run.send(text, input.flag() ? otherWindow : nullptr, static_cast<std::uint32_t>(text.size() + 1));
            break;
        }
        case 7: {  // a block whose size leaves out bytes or its NUL
            const std::string text = input.text(64);
            run.send(text, listener, static_cast<std::uint32_t>(input.numberIn(0, static_cast<int>(text.size()) + 1)));
            break;
        }
        default: {
            const std::string text = input.text(256);
            run.send(text, listener, static_cast<std::uint32_t>(text.size() + 1));
            break;
        }
        }
        run.checkState();
    }
    try {
        run.capture.abandon();
    } catch (const FakeFileError&) {
    }
    run.checkState();
    return 0;
}
