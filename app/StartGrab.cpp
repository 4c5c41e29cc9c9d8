// The Grab command of the main dialog.
#include "CaptureTexts.h"
#include "ListenerCaption.h"
#include "MainDialog.h"
#include "Tessolink.h"

void MainDialog::startGrab() {
    FilterFollowsCapture filter{*this};
    logPainting.paintNow();  // a capture held back its painting until now
    capture.abandon();  // a failing close raises: the framework reports it, the Grab ends

    HWND listener = FindWindowA(nullptr, listenerCaption);
    HWND output = listener ? GetWindow(listener, GW_CHILD) : nullptr;
    capture.setListenerOutput(reinterpret_cast<WindowHandle>(output));
    if (output == nullptr) {
        logPane.insertAtSelection("Error ! gmax MAXScript Listener window not found.\r\n");
        return;
    }
    logPane.insertAtSelection("gmax MAXScript Listener window found.\r\n");

    if (!SetHook(GetWindowThreadProcessId(output, nullptr))) {
        logPane.insertAtSelection("Error ! Windows Hook could not be set.\r\n");
        return;
    }

    CFileDialog saveDialog(FALSE, ".msh", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Orbiter Mesh Files (*.msh)|*.msh||", this);
    if (saveDialog.DoModal() != IDOK) return;  // the hook stays set, the capture Idle

    if (!capture.arm(saveDialog.GetPathName().c_str())) {
        logPane.insertAtSelection(CaptureTexts::openFailure);
        RemoveHook();
    }
}
