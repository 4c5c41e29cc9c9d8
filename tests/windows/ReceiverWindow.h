#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Stands in for the program's main window: a top-level window with its caption that
// records every WM_COPYDATA it receives.
struct ReceivedPiece {
    HWND source;
    ULONG_PTR dataId;
    DWORD size;
    std::string bytes;  // all cbData bytes, the NUL included
};

class ReceiverWindow {
public:
    ReceiverWindow();
    ~ReceiverWindow();
    ReceiverWindow(const ReceiverWindow&) = delete;
    ReceiverWindow& operator=(const ReceiverWindow&) = delete;

    HWND window() const { return hwnd; }
    std::vector<ReceivedPiece> pieces;
    // Runs while a piece is received, before the window returns to the sender.
    std::function<void()> whileReceiving;

private:
    static LRESULT CALLBACK windowProcedure(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd = nullptr;
};
