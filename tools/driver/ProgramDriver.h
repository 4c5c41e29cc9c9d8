#pragma once

#include <windows.h>

#include <string>

#include "StandInProcess.h"

// Drives Tessoran.exe as a user would: clicks, the save dialog, keys; reads the log pane.
class ProgramDriver : public ChildProcess {
public:
    ProgramDriver();
    ~ProgramDriver();

    HWND control(int id) const { return GetDlgItem(window, id); }
    // Posted, never sent: the click opens a modal dialog.
    void clickGrab() const;
    // The save dialog the last Grab opened; null when none came.
    HWND saveDialog(DWORD timeoutMs = 15000) const;
    void saveAs(const std::string& path) const;
    void cancelSave() const;
    // Presses Grab and saves into path as a new file (a file left there is deleted first, so
    // no overwrite question comes). Returns the log once it reads logBefore followed by the
    // two lines of an armed capture, or as it stands after timeoutMs.
    std::string grabInto(const std::string& path, const std::string& logBefore = "", DWORD timeoutMs = 15000) const;
    // What the log gains from a Grab that armed the capture.
    static constexpr const char* armedLines =
        "gmax MAXScript Listener window found.\r\nWaiting for *.msh file start...\r\n";
    // A message box or dialog of the program owned by owner with the caption given.
    HWND ownedDialog(HWND owner, const char* caption, DWORD timeoutMs = 15000) const;
    HWND logControl() const;
    std::string log() const;
    // The system menu's "Mesh View".
    void openMeshView() const;
    // Waits until the log equals text, where the program may have broken a line too wide
    // for its pane at a blank (a blank of text as CR LF in the log); returns the log as it
    // stands then, those breaks blanks again (brokenLines counts them).
    std::string waitForLog(const std::string& text, DWORD timeoutMs = 15000, int* brokenLines = nullptr) const;
    void pressKey(HWND target, WPARAM key) const;

    HWND window = nullptr;
};

// A path in the test's own temporary folder.
std::string temporaryPath(const std::string& name);
std::string readBytes(const std::string& path);
bool fileExists(const std::string& path);
