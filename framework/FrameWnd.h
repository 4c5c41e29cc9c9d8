#pragma once

#include <windows.h>
#include <shellapi.h>

#include "DialogBase.h"

// A top-level window the program creates itself rather than from a dialog template, of the
// framework's own window class (arrow cursor, no background brush: the window paints all of
// itself). Its messages go through the derived class's message map; the others get the
// system's default processing.
class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;
    CFrameWnd(const CFrameWnd&) = delete;
    CFrameWnd& operator=(const CFrameWnd&) = delete;

    // Creates the window with its outer rectangle on the screen; an owned window stays in
    // front of its owner and is minimized with it.
    BOOL CreateEx(DWORD exStyle, LPCSTR caption, DWORD style, const RECT& rect, CWnd* owner);
    BOOL DestroyWindow();
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    // Marks the area (all of the client area for null) for painting, without erasing it.
    void InvalidateRect(const RECT* area) { ::InvalidateRect(m_hWnd, area, FALSE); }
    // Files dragged from the shell and dropped on the window come as WM_DROPFILES.
    void DragAcceptFiles(BOOL accept = TRUE) { ::DragAcceptFiles(m_hWnd, accept); }

protected:
    // After the window is gone (m_hWnd is null again).
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK windowProcedure(HWND, UINT, WPARAM, LPARAM);
};
