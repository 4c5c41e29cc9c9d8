#include "DialogBase.h"

#include "AppBase.h"
#include "FileBase.h"
#include "ScopeExit.h"

namespace {

// Position and style of a dialog template, classic or extended.
bool templateAtOriginWithoutCentring(HINSTANCE instance, UINT id) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found) return false;
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(instance, found)));
    if (!words) return false;
    DWORD style;
    short x, y;
    if (words[0] == 1 && words[1] == 0xFFFF) {  // DLGTEMPLATEEX: ver, sig, helpId, exStyle, style, items, x, y
        style = *reinterpret_cast<const DWORD*>(words + 6);
        x = static_cast<short>(words[9]);
        y = static_cast<short>(words[10]);
    } else {  // DLGTEMPLATE: style, exStyle, items, x, y
        style = *reinterpret_cast<const DWORD*>(words);
        x = static_cast<short>(words[5]);
        y = static_cast<short>(words[6]);
    }
    return x == 0 && y == 0 && !(style & DS_CENTER);
}

// Centres the window over its owner, or on the screen's work area when it has none.
void centreWindow(HWND window) {
    RECT area;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left, height = own.bottom - own.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void reportUnexpectedError() {
    AfxMessageBox("An unexpected error occurred.", MB_OK | MB_ICONSTOP);
}

}  // namespace

CWnd* CWnd::FromHandle(HWND hwnd) {
    static CWnd temporary;
    temporary.m_hWnd = hwnd;
    return &temporary;
}

LRESULT CWnd::Default() {
    if (!originalProcedure) return 0;
    return CallWindowProcA(originalProcedure, m_hWnd, current.message, current.wParam, current.lParam);
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) control.m_hWnd = GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId(templateId), parent(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = parent ? parent->m_hWnd : nullptr;
    return DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId), owner, dialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

BOOL CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::centreIfTemplateAtOrigin() {
    if (templateAtOriginWithoutCentring(AfxGetInstanceHandle(), templateId)) centreWindow(m_hWnd);
}

// The dialog manager's procedure: it only attaches the object and hands the window to
// windowProcedure, which handles every message from then on. FALSE asks for the dialog
// manager's own processing.
INT_PTR CALLBACK CDialog::dialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    self->originalProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProcedure)));
    self->centreIfTemplateAtOrigin();
    self->current = {message, wParam, lParam};
    try {
        return self->OnInitDialog();
    } catch (const CFileException& error) {
        error.ReportError();
    } catch (...) {
        reportUnexpectedError();
    }
    return TRUE;
}

LRESULT CALLBACK CDialog::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->originalProcedure;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        self->originalProcedure = nullptr;
        self->m_hWnd = nullptr;
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    return self->dispatch(message, wParam, lParam);
}

LRESULT CWnd::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const ScopeExit restore{[this, outer = current] { current = outer; }};
    current = {message, wParam, lParam};
    try {
        LRESULT result = 0;
        if (callMapped(message, wParam, lParam, &result)) return result;
        return OnUnmappedMessage(message, wParam, lParam);
    } catch (const CFileException& error) {
        error.ReportError();
    } catch (...) {
        reportUnexpectedError();
    }
    return 0;
}

LRESULT CDialog::OnUnmappedMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK: OnOK(); return 0;
        case IDCANCEL: OnCancel(); return 0;
        default:
            LRESULT ignored;
            if (AfxGetApp() && AfxGetApp()->callMapped(message, wParam, lParam, &ignored)) return 0;
        }
    }
    return Default();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu) return nullptr;
    static CMenu temporary;
    temporary.m_hMenu = menu;
    return &temporary;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : openFileDialog(openFileDialog) {
    if (filter) {
        filterText = filter;
        for (char& c : filterText) if (c == '|') c = '\0';
    }
    if (defaultExtension) this->defaultExtension = defaultExtension;
    if (fileName) lstrcpynA(fileBuffer, fileName, MAX_PATH);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = filter ? filterText.c_str() : nullptr;
    m_ofn.lpstrFile = fileBuffer;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = defaultExtension ? this->defaultExtension.c_str() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
    BOOL ok = openFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}
