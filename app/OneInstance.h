#pragma once

#include <windows.h>

// One Tessoran at a time. The hook sends every piece to the first window captioned like the
// main window, so a second program would take the pieces that the armed one waits for. The
// first start holds a named mutex for its whole life; a later start finds it there.
class OneInstance {
public:
    static constexpr const char* mutexName = "Local\\Tessoran.OneInstance";

    OneInstance();
    ~OneInstance();
    OneInstance(const OneInstance&) = delete;
    OneInstance& operator=(const OneInstance&) = delete;

    // False when another Tessoran was running already.
    bool isFirst() const { return first; }
    // Brings the running Tessoran's window to the front, restored if minimized (its open
    // save dialog or message box, if any, in front of it).
    static void bringRunningToFront();

private:
    HANDLE mutex;
    bool first;
};
