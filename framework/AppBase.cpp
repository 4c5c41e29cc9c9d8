#include "AppBase.h"

#include "DialogBase.h"

namespace {
CWinApp* theApp = nullptr;

CString moduleBaseName(HINSTANCE instance) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(instance, path, MAX_PATH);
    CString name = path;
    std::size_t slash = name.find_last_of("\\/");
    if (slash != CString::npos) name.erase(0, slash + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != CString::npos) name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp() { theApp = this; }
CWinApp::~CWinApp() { if (theApp == this) theApp = nullptr; }

void CWinApp::OnHelp() { MessageBeep(MB_OK); }

CWinApp* AfxGetApp() { return theApp; }
const char* AfxGetAppName() { return theApp ? theApp->m_strAppName.c_str() : ""; }
HINSTANCE AfxGetInstanceHandle() { return theApp ? theApp->m_hInstance : GetModuleHandleA(nullptr); }

int CWinApp::DoMessageBox(LPCSTR text, UINT type) {
    HWND owner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (owner && !IsWindow(owner)) owner = nullptr;
    return MessageBoxA(owner, text, m_strAppName.c_str(), type | MB_SETFOREGROUND | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

int AfxMessageBox(LPCSTR text, UINT type) {
    if (theApp) return theApp->DoMessageBox(text, type);
    return MessageBoxA(nullptr, text, "", type | MB_SETFOREGROUND | MB_TASKMODAL);
}

// The program keeps all its resources in its own module.
HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR) { return AfxGetInstanceHandle(); }

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_strAppName = moduleBaseName(instance);
    // The program runs its modal dialog inside InitInstance and ends when it returns; this
    // framework has no message loop to enter afterwards, whatever the result.
    app->InitInstance();
    return 0;
}
