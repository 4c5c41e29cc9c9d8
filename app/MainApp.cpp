#include "MainApp.h"

#include "MainDialog.h"
#include "OneInstance.h"

namespace {
MainApp theApp;
}  // namespace

BOOL MainApp::InitInstance() {
    Enable3dControls();
    OneInstance instance;
    if (!instance.isFirst()) {
        OneInstance::bringRunningToFront();
        return FALSE;
    }
    MainDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;  // no message loop: the program ends with the dialog
}

// The application's message map has one entry: ID_HELP goes to the default help handler.
MessageMap MainApp::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        On::Command<ID_HELP, &CWinApp::OnHelp>(),
    };
    return entries;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
