#include "FrameWnd.h"

#include "AppBase.h"

namespace {

const char* const frameClassName = "TessoranFrame";

bool registerFrameClass(WNDPROC procedure) {
    WNDCLASSA frameClass = {};
    if (GetClassInfoA(AfxGetInstanceHandle(), frameClassName, &frameClass)) return true;
    frameClass.lpfnWndProc = procedure;
    frameClass.hInstance = AfxGetInstanceHandle();
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.lpszClassName = frameClassName;
    return RegisterClassA(&frameClass) != 0;
}

}  // namespace

CFrameWnd::~CFrameWnd() { DestroyWindow(); }

// The object is attached at WM_NCCREATE; the few messages before it (WM_GETMINMAXINFO) get
// the default processing.
BOOL CFrameWnd::CreateEx(DWORD exStyle, LPCSTR caption, DWORD style, const RECT& rect, CWnd* owner) {
    if (m_hWnd || !registerFrameClass(windowProcedure)) return FALSE;
    originalProcedure = DefWindowProcA;
    HWND created = CreateWindowExA(exStyle, frameClassName, caption, style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, owner ? owner->m_hWnd : nullptr,
                                   nullptr, AfxGetInstanceHandle(), this);
    if (created && !m_hWnd) m_hWnd = created;
    return created != nullptr;
}

BOOL CFrameWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CALLBACK CFrameWnd::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CFrameWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<CFrameWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hWnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        self->m_hWnd = nullptr;
        self->PostNcDestroy();
        return result;
    }
    return self->dispatch(message, wParam, lParam);
}
