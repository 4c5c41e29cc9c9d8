#include "GrabCommand.h"

#include "CaptureTexts.h"

GrabCommand::Outcome GrabCommand::run() {
    capture.abandon();

    const WindowHandle output = windows.findListenerOutput();
    capture.setListenerOutput(output);  // also when none: pieces are then ignored
    if (output == nullptr) {
        log.insertAtSelection(CaptureTexts::listenerNotFound);
        return Outcome::ListenerNotFound;
    }
    log.insertAtSelection(CaptureTexts::listenerFound);

    if (!windows.hookThreadOf(output)) {
        log.insertAtSelection(CaptureTexts::hookFailure);
        return Outcome::HookFailed;
    }

    std::string path;
    if (!windows.askForFileName(path)) return Outcome::Cancelled;

    if (!capture.arm(path.c_str())) {
        log.insertAtSelection(CaptureTexts::openFailure);
        windows.removeHook();
        return Outcome::FileNotOpened;
    }
    return Outcome::Armed;
}
