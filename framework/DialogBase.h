#pragma once

#include <windows.h>

#include <cstddef>

#include "FrameworkString.h"
#include "MessageMap.h"

class CDataExchange;

// A window handle with the framework's default processing.
class CWnd : public CCmdTarget {
public:
    HWND GetSafeHwnd() const { return m_hWnd; }
    // Temporary object for a window handle, valid until the next call (the program has one
    // user-interface thread).
    static CWnd* FromHandle(HWND hwnd);
    // The default processing of the message being handled.
    LRESULT Default();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

    HWND m_hWnd = nullptr;

protected:
    // Handles a message with the handler the message map names, the message being the current
    // one meanwhile (for Default), or else with OnUnmappedMessage. An error a handler raises is
    // reported here (a file error in its own words) and the message counts as handled: no
    // exception may unwind through Windows.
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // A message the map has no entry for: the default processing.
    virtual LRESULT OnUnmappedMessage(UINT, WPARAM, LPARAM) { return Default(); }

    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage current = {};
    WNDPROC originalProcedure = nullptr;
};

// A multi-line or single-line edit control bound to a dialog control.
class CEdit : public CWnd {
public:
    // The most text the control takes; 0 lifts the limit to the largest the system allows.
    void SetLimitText(UINT maxCharacters) { SendMessage(EM_SETLIMITTEXT, maxCharacters, 0); }
};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Binds control to the dialog control with the id (once).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

// A modal dialog on a dialog template. Messages go through the derived class's message map;
// the Exit (IDOK) and IDCANCEL commands end the dialog through OnOK and OnCancel. File errors
// raised by a handler are caught here and reported, never passed through Windows.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent);
    INT_PTR DoModal();

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK() { EndDialog(m_hWnd, IDOK); }
    virtual void OnCancel() { EndDialog(m_hWnd, IDCANCEL); }
    BOOL UpdateData(bool saveAndValidate = true);
    // Button clicks the map leaves: Exit (IDOK) and IDCANCEL, then the application's commands.
    LRESULT OnUnmappedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK windowProcedure(HWND, UINT, WPARAM, LPARAM);
    void centreIfTemplateAtOrigin();

    UINT templateId;
    CWnd* parent;
};

// The system menu as the framework wraps it.
class CMenu {
public:
    static CMenu* FromHandle(HMENU menu);
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr) { return ::AppendMenuA(m_hMenu, flags, id, text); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    HMENU m_hMenu = nullptr;
};

// The system's file dialog for opening or saving. The filter is "|"-separated and ends "||".
class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                CWnd* parent);
    INT_PTR DoModal();
    CString GetPathName() const { return fileBuffer; }
    OPENFILENAMEA m_ofn = {};

private:
    BOOL openFileDialog;
    CString filterText;
    CString defaultExtension;
    char fileBuffer[MAX_PATH] = "";
};
