// The Grab command of the main dialog.
#include "GrabCommand.h"
#include "ListenerCaption.h"
#include "MainDialog.h"
#include "ScopeExit.h"
#include "Tessolink.h"

namespace {

// The Grab command's window work: the listener's window found by its caption (its output
// control is its first child), the hook library, and the save dialog over the main window.
class DesktopGrabWindows : public GrabWindows {
public:
    explicit DesktopGrabWindows(CWnd* owner) : owner(owner) {}

    WindowHandle findListenerOutput() override {
        HWND listener = FindWindowA(nullptr, listenerCaption);
        HWND output = listener ? GetWindow(listener, GW_CHILD) : nullptr;
        return reinterpret_cast<WindowHandle>(output);
    }
    bool hookThreadOf(WindowHandle output) override {
        HWND window = reinterpret_cast<HWND>(const_cast<OpaqueWindow*>(output));
        return SetHook(GetWindowThreadProcessId(window, nullptr));
    }
    bool askForFileName(std::string& path) override {
        CFileDialog saveDialog(FALSE, ".msh", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                               "Orbiter Mesh Files (*.msh)|*.msh||", owner);
        if (saveDialog.DoModal() != IDOK) return false;
        path = saveDialog.GetPathName().c_str();
        return true;
    }
    void removeHook() override { RemoveHook(); }

private:
    CWnd* owner;
};

}  // namespace

// A failing close of the file before raises: the framework reports it, and the Grab ends.
void MainDialog::startGrab() {
    const ScopeExit filter{[this] { letPiecesThroughWhileCapturing(); }};
    logPainting.paintNow();  // a capture held back its painting until now
    DesktopGrabWindows windows(this);
    GrabCommand(capture, logPane, windows).run();
}
