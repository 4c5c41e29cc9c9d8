#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Transcript.h"

// A window that serves as the modelling program's script listener: a top-level window
// captioned "MAXScript Listener" whose first child is the output edit control, with a
// second edit control beside it. Pieces are printed with one EM_REPLACESEL each, sent from
// inside the thread's own message loop (when the window handles a print request), which is
// where the thread learns of hooks set on it. Each piece is printed with a last error of its
// own set, which the pane's procedure must find as it was set (the hooks that run before it
// leave it alone): a print request returns the number of pieces printed that kept it.
class ListenerWindow {
public:
    // Print the window's transcript; returns the number of pieces printed (that kept the
    // last error). May be sent from another process; returns when all pieces are printed.
    static constexpr UINT printTranscript = WM_APP + 1;
    // Print the transcript that lParam points to (same process only).
    static constexpr UINT printPieces = WM_APP + 2;
    // Print lParam pieces of the window's transcript from piece wParam on; returns the number
    // printed. May be sent from another process.
    static constexpr UINT printBlock = WM_APP + 3;
    static constexpr const char* className = "TessoranStandInListener";
    static constexpr const char* caption = "MAXScript Listener";

    // A visible listener prints slowly under a virtual display (milliseconds per piece);
    // tests use a hidden one, which Windows hooks and messages treat the same.
    explicit ListenerWindow(std::vector<TranscriptPiece> transcript = {}, bool visible = false);
    ~ListenerWindow();
    ListenerWindow(const ListenerWindow&) = delete;
    ListenerWindow& operator=(const ListenerWindow&) = delete;

    HWND window() const { return top; }
    HWND pane(int index) const { return index == 0 ? output : second; }
    std::string paneText(int index) const;

private:
    static LRESULT CALLBACK windowProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK paneProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT print(const TranscriptPiece* pieces, std::size_t count);

    std::vector<TranscriptPiece> transcript;
    HWND top = nullptr;
    HWND output = nullptr;
    HWND second = nullptr;
    DWORD lastErrorAtPane = 0;  // what the last EM_REPLACESEL found at a pane's procedure
};
