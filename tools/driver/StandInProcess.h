#pragma once

#include <windows.h>

#include <string>

// A Windows program of the build started as a process of its own, ended again by the
// destructor (closed, or terminated when it does not end).
class ChildProcess {
public:
    ChildProcess(const std::string& exe, const std::string& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The first top-level window of this process with the class or caption given (either
    // may be null) for which ready(window) holds; null after timeoutMs.
    HWND findWindow(const char* className, const char* caption, bool (*ready)(HWND), DWORD timeoutMs = 15000) const;
    bool waitForExit(DWORD timeoutMs);
    bool running() const;
    DWORD id() const { return info.dwProcessId; }

    PROCESS_INFORMATION info = {};
};

// The stand-in listener (hidden), found once both its panes exist.
class StandInProcess : public ChildProcess {
public:
    explicit StandInProcess(const std::string& options);
    ~StandInProcess();
    HWND output() const { return GetWindow(window, GW_CHILD); }
    // WM_GETTEXT itself: GetWindowText does not ask windows of other processes.
    std::string outputText() const;
    // Prints the whole transcript; returns the number of pieces printed.
    LRESULT printTranscript(DWORD timeoutMs = 120000);
    // Prints count pieces of the transcript from piece first on; returns the number printed.
    LRESULT printBlock(std::size_t first, std::size_t count, DWORD timeoutMs = 120000);
    HWND window = nullptr;
};

std::string windowText(HWND window);
// Directory of the running test program, with a trailing backslash.
std::string programDirectory();
// Where the Tessoran.exe under test lies, with Tessolink.dll beside it: the folder that
// TESSORAN_PROGRAM_DIR names (a release unpacked, say), else the test program's own.
std::string tessoranDirectory();
