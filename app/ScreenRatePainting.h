#pragma once

#include "DialogBase.h"

// Paints the log pane at screen rate while a capture is grabbing. Every piece may rewrite
// the progress line, and a pane that repaints for each one makes the listener wait for every
// paint. So while pieces come, the pane's redraw stays off and a timer of the dialog paints
// the latest text every 50 ms; a tick without a new piece, or paintNow, turns redraw on again.
// The pane's text is the same at every moment either way: only the painting is held back.
class ScreenRatePainting {
public:
    static constexpr UINT_PTR timerId = 1;
    static constexpr UINT intervalMs = 50;

    ScreenRatePainting(CWnd& dialog, CWnd& pane) : dialog(dialog), pane(pane) {}

    // Before a piece is handled during a capture.
    void hold();
    // After it: still grabbing, the next tick paints it; otherwise it is painted now.
    void pieceHandled(bool grabbing);
    void onTimer(UINT_PTR id);
    // Redraw on again and the pane painted at once.
    void paintNow();

private:
    void setRedraw(bool on) const;
    void paint(bool withFrame) const;

    CWnd& dialog;
    CWnd& pane;
    bool held = false;
    bool changed = false;
};
