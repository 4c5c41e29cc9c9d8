#include "ViewPlacement.h"

#include <algorithm>

namespace {

LONG clampInto(LONG position, LONG size, LONG low, LONG high) { return std::max(low, std::min(position, high - size)); }

}  // namespace

RECT placeBeside(HWND owner, SIZE wanted, SIZE least) {
    // A minimised window stands far off the screen: its restored place counts. That is
    // given in work area coordinates, which are the screen's moved by the work area's corner.
    RECT o;
    GetWindowRect(owner, &o);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    const bool minimised = IsIconic(owner) && GetWindowPlacement(owner, &placement);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT a = monitor.rcWork;
    if (minimised) {
        o = placement.rcNormalPosition;
        OffsetRect(&o, a.left - monitor.rcMonitor.left, a.top - monitor.rcMonitor.top);
    }

    // Per side the room it has, and where a window of a size goes there.
    struct Side {
        LONG roomWidth, roomHeight;
    };
    const Side sides[4] = {{a.right - o.right, a.bottom - a.top},
                           {o.left - a.left, a.bottom - a.top},
                           {a.right - a.left, a.bottom - o.bottom},
                           {a.right - a.left, o.top - a.top}};
    int best = -1;
    LONG bestArea = 0;
    SIZE size = wanted;
    for (int i = 0; i < 4; ++i) {
        const LONG w = std::min(wanted.cx, sides[i].roomWidth), h = std::min(wanted.cy, sides[i].roomHeight);
        if (w < least.cx || h < least.cy) continue;
        if (w == wanted.cx && h == wanted.cy) {
            best = i;
            size = {w, h};
            break;
        }
        if (w * h > bestArea) best = i, bestArea = w * h, size = {w, h};
    }
    RECT r;
    switch (best) {
    case 0: r.left = o.right, r.top = clampInto(o.top, size.cy, a.top, a.bottom); break;
    case 1: r.left = o.left - size.cx, r.top = clampInto(o.top, size.cy, a.top, a.bottom); break;
    case 2: r.left = clampInto(o.left, size.cx, a.left, a.right), r.top = o.bottom; break;
    case 3: r.left = clampInto(o.left, size.cx, a.left, a.right), r.top = o.top - size.cy; break;
    default:
        size = {std::min(wanted.cx, a.right - a.left), std::min(wanted.cy, a.bottom - a.top)};
        r.left = a.right - size.cx, r.top = a.bottom - size.cy;
    }
    // Never off the work area, whatever the owner's place.
    r.left = clampInto(r.left, size.cx, a.left, a.right);
    r.top = clampInto(r.top, size.cy, a.top, a.bottom);
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    return r;
}
