#pragma once

#include <cmath>

// The box around every vertex the loader reads, measured on the numbers as read (in double),
// so that the check line and the view's status line give one size for one mesh. A point the
// loader cannot place (nan or inf) has no place in it.
struct MeshExtent {
    bool any = false;
    double low[3] = {}, high[3] = {};

    void add(const double* xyz) {
        if (!std::isfinite(xyz[0]) || !std::isfinite(xyz[1]) || !std::isfinite(xyz[2])) return;
        for (int axis = 0; axis < 3; ++axis) {
            if (!any || xyz[axis] < low[axis]) low[axis] = xyz[axis];
            if (!any || xyz[axis] > high[axis]) high[axis] = xyz[axis];
        }
        any = true;
    }
    double size(int axis) const { return high[axis] - low[axis]; }
};
