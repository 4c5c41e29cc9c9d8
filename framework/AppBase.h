#pragma once

#include <windows.h>

#include "FrameworkString.h"

class CWnd;

// The application object: one static instance of a class derived from CWinApp. The program's
// entry runs InitInstance; when it returns false the program ends, with no message loop.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;
    // Routes a command no window handled; true when the application handled it.
    virtual bool OnCmdMsg(UINT id) { (void)id; return false; }
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
// up and brought to the front: the user may be working in another program when it opens.
int AfxMessageBox(LPCSTR text, UINT type);
// The module that holds the resource name of the given type.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
int AfxWinMain(HINSTANCE instance);
