#pragma once

#include <string>

#include "LogPane.h"
#include "MeshCapture.h"
#include "TextPiece.h"

// What the Grab command needs of the window system.
class GrabWindows {
public:
    virtual ~GrabWindows() = default;

    // The listener's output control; null when the listener window is not open.
    virtual WindowHandle findListenerOutput() = 0;
    // Hooks the thread that runs the control, so that its text is forwarded; false when the
    // hook cannot be set.
    virtual bool hookThreadOf(WindowHandle output) = 0;
    // Asks the user where to save the mesh; false when the user cancels.
    virtual bool askForFileName(std::string& path) = 0;
    virtual void removeHook() = 0;
};

// The Grab command: abandons any capture, finds the listener's output control, hooks its
// thread, asks for the file, and arms the capture with it, logging each step or failure. A
// cancelled file dialog leaves the hook set and the capture Idle; a file that does not open
// removes the hook again. A failing close of the file before raises the file's error, and
// the command ends there.
class GrabCommand {
public:
    enum class Outcome { ListenerNotFound, HookFailed, Cancelled, FileNotOpened, Armed };

    GrabCommand(MeshCapture& capture, LogPane& log, GrabWindows& windows)
        : capture(capture), log(log), windows(windows) {}
    Outcome run();

private:
    MeshCapture& capture;
    LogPane& log;
    GrabWindows& windows;
};
