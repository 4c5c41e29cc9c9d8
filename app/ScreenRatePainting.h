#pragma once

#include <functional>
#include <utility>

#include "DialogBase.h"

// Paints the log pane at screen rate while a capture is grabbing. The capture counts the lines
// per piece, and a pane that rewrote and repainted its progress for each one would make the
// listener wait for every rewrite. So while pieces come, the pane's redraw stays off and a
// timer of the dialog rewrites the progress text (updateText) every 80 ms and paints the line
// it changed; a tick without a new piece, or paintNow, rewrites it, turns redraw on again and
// paints the whole pane. The text is exact at every paint and whenever the capture has ended.
// Under Wine a paint of the pane costs some 5 ms and holds up the pieces that come meanwhile,
// so the interval is as long as "on screen within 100 ms of the last piece" allows.
class ScreenRatePainting {
public:
    static constexpr UINT_PTR timerId = 1;
    static constexpr UINT intervalMs = 80;

    // updateText rewrites the pane's text to the latest state; true when it changed anything.
    ScreenRatePainting(CWnd& dialog, CWnd& pane, std::function<bool()> updateText)
        : dialog(dialog), pane(pane), updateText(std::move(updateText)) {}

    // Before a piece is handled during a capture.
    void hold();
    // After it: still grabbing, the next tick paints it; otherwise it is painted now.
    void pieceHandled(bool grabbing);
    void onTimer(UINT_PTR id);
    // The text brought up to date, redraw on again and the pane painted at once.
    void paintNow();

private:
    void setRedraw(bool on) const;
    void paintCaretLine();

    CWnd& dialog;
    CWnd& pane;
    std::function<bool()> updateText;
    bool held = false;
    bool changed = false;
    LRESULT paintedLineOrigin = -1;  // where the caret's line stood at the last tick's paint
};
