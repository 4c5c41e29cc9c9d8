#include "ScreenRatePainting.h"

void ScreenRatePainting::hold() {
    if (held) return;
    setRedraw(false);
    SetTimer(dialog.GetSafeHwnd(), timerId, intervalMs, nullptr);
    held = true;
    paintedLineOrigin = -1;
}

void ScreenRatePainting::pieceHandled(bool grabbing) {
    if (!held) return;
    if (!grabbing) {
        paintNow();
        return;
    }
    changed = true;
}

void ScreenRatePainting::onTimer(UINT_PTR id) {
    if (id != timerId || !held) return;
    if (!changed) {  // the pieces have stopped, for now or for good
        paintNow();
        return;
    }
    changed = false;
    if (updateText()) paintCaretLine();
}

void ScreenRatePainting::paintNow() {
    if (!held) return;
    KillTimer(dialog.GetSafeHwnd(), timerId);
    held = changed = false;
    updateText();
    setRedraw(true);
    RedrawWindow(pane.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// With redraw off Windows clears the window's WS_VISIBLE bit, without hiding it: the edit
// control then draws nothing, not even its scroll bar, which it otherwise redraws at once for
// every change of its text. Wine leaves the bit set on WM_SETREDRAW, so it is set here as
// Windows sets it.
void ScreenRatePainting::setRedraw(bool on) const {
    HWND window = pane.GetSafeHwnd();
    pane.SendMessage(WM_SETREDRAW, on, 0);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    if (((style & WS_VISIBLE) != 0) != on) SetWindowLongPtrA(window, GWL_STYLE, style ^ WS_VISIBLE);
}

// The progress text is rewritten in place at the caret, so a tick paints from the caret's line
// down, and leaves the frame (the scroll bar, which does not change meanwhile) to paintNow.
// When the pane has scrolled since the last tick (the line's origin moved), or the line is
// not in view, the whole client area is painted.
void ScreenRatePainting::paintCaretLine() {
    const LRESULT lineStart = pane.SendMessage(EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    const LRESULT origin = pane.SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(lineStart), 0);
    RECT area;
    GetClientRect(pane.GetSafeHwnd(), &area);
    if (origin != -1 && origin == paintedLineOrigin) area.top = static_cast<short>(HIWORD(origin));
    paintedLineOrigin = origin;
    setRedraw(true);
    RedrawWindow(pane.GetSafeHwnd(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    setRedraw(false);
}
