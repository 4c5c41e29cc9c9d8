#pragma once

#include <windows.h>

#include "FrameworkString.h"
#include "MessageMap.h"

// The framework's command for help (F1 and the Help buttons).
constexpr UINT ID_HELP = 0xE146;

// The application object: one static instance of a class derived from CWinApp. The program's
// entry runs InitInstance; when it returns false the program ends, with no message loop.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;
    // Shows a message box for AfxMessageBox and gives its answer; a test may watch the boxes
    // here instead of the screen.
    virtual int DoMessageBox(LPCSTR text, UINT type);
    // Without a help file there is nothing to show: a beep says so.
    void OnHelp();
    // 3-D controls are the system's own look; kept for the program's start-up sequence.
    BOOL Enable3dControls() { return TRUE; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CString m_strAppName;  // the program file's base name
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
// A message box captioned with the application's name, owned by the main window while it is
// up and brought to the front: the user may be working in another program when it opens. The
// application object shows it (DoMessageBox).
int AfxMessageBox(LPCSTR text, UINT type);
// The module that holds the resource name of the given type.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
int AfxWinMain(HINSTANCE instance);
