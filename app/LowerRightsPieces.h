#pragma once

#include <windows.h>

// Whether processes of lower rights may send pieces to the main window. Windows drops
// WM_COPYDATA sent from a process of lower integrity (gmax run normally) to one of higher
// integrity (Tessoran run as administrator); the main window lets it through only while a
// capture is armed or running, and keeps it out otherwise.
//
// What remains while it is let through: any process of lower rights can send the window
// pieces, not only gmax. The capture ignores pieces from any window but the listener's output
// and reads at most cbData bytes of a piece; but a sender that names the listener's output
// window as wParam (any process can find it) gets its text into the file as if gmax had
// printed it, for the Windows message does not say which process sent it.
//
// Uses the per-window filter (Windows 7 and later), else the process-wide one (Vista), both
// looked up at run time; Windows before Vista and some Wine versions have neither, and filter
// nothing.
class LowerRightsPieces {
public:
    // Lets WM_COPYDATA from lower rights through to window, or keeps it out; asks the system
    // only when that changes.
    void letThrough(HWND window, bool through);

private:
    bool letThroughNow = false;  // the system's default: kept out
};
