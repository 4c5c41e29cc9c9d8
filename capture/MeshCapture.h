#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "CaptureState.h"
#include "LogPane.h"
#include "MeshVerdict.h"
#include "OutputFile.h"
#include "TextPiece.h"

// Picks the mesh text out of the listener's output: from the piece that starts with the
// start marker up to (not including) the piece that holds the end marker, written to the
// output file byte for byte, with a progress line in the log rewritten in place. The verdict
// is reset when a mesh starts and fed every byte written to the file; at the end marker the
// log gets its line, then the end notice.
//
// The sender of a piece waits until the piece is in the file and fed to the verdict:
// releaseSender is called then (and for a piece that is ignored), before the log work for
// it; nothing reads the piece after the release, when the sender may have freed it. The
// progress count is kept per piece, but its text is rewritten only when the owner asks
// (updateProgressText, at screen rate) and before every notice that ends a capture, so the
// log is exact whenever it is looked at.
// Runs on one thread. The first file error of a capture stops it: the file is cut back to
// the whole pieces written before the failure and closed, the hook released, the failure
// noted in the log; then the error passes on unchanged, and every piece is ignored until
// the capture is armed again.
class MeshCapture {
public:
    MeshCapture(LogPane& log, OutputFile& file, MeshVerdict& verdict, std::function<void()> releaseHook,
                std::function<void()> releaseSender = [] {});

    void onTextPiece(const TextPiece& piece);
    void setListenerOutput(WindowHandle handle);
    // Back to Idle; an open file is closed (what it holds remains).
    void abandon();
    // Opens the file and waits for the start marker; false (nothing changed) when the
    // file cannot be opened. Called after abandon().
    bool arm(const char* path);
    // Rewrites the progress text when the count has changed since it was last written;
    // returns whether it did.
    bool updateProgressText();
    // While on, a capture that reaches its end marker waits again at once for the next mesh
    // into the same file, and the hook stays: the file is opened again keeping the mesh just
    // written, and emptied when the next mesh starts (a file that cannot be opened again ends
    // it all with the open failure line). Switched off, a waiting that began so ends: Idle,
    // file closed, hook released, nothing logged. Waiting after arm() and grabbing go on.
    void grabAgainAfterDone(bool on);
    bool grabsAgainAfterDone() const { return grabAgain; }

    CaptureState currentState() const { return state; }
    // The file of the last arm() that opened it.
    const std::string& armedPath() const { return path; }
    WindowHandle currentListenerOutput() const { return listenerOutput; }

private:
    // What a piece asks for once it is stored.
    enum class Outcome { Ignored, Written, Ended };
    Outcome store(const TextPiece& piece, std::uint32_t length);
    void startGrabbing(const TextPiece& piece, std::uint32_t length);
    void writePiece(const TextPiece& piece, std::uint32_t length);
    void closeAtEnd();
    void armAgain();
    void emptyFile();
    void stopAfterFileError();

    LogPane& log;
    OutputFile& file;
    std::function<void()> releaseHook;
    std::function<void()> releaseSender;
    MeshVerdict& meshVerdict;
    std::string path;  // of the file armed for

    std::int32_t lineCount = 0;
    std::int32_t lineCountShown = 0;  // the count the progress text shows
    std::uint32_t progressPosition = 0;
    CaptureState state = CaptureState::Idle;
    WindowHandle listenerOutput = nullptr;
    std::uint64_t writtenLength = 0;  // bytes of the whole pieces in the file
    bool grabAgain = false;
    bool armedAgain = false;  // waiting began after Done: the file holds the mesh before
};
