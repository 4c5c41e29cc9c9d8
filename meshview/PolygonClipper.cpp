#include "PolygonClipper.h"

void clipPolygon(ClipPolygon& polygon, const ClipPlane& plane) {
    ClipPolygon out;
    const int n = polygon.count;
    for (int i = 0; i < n && out.count + 2 <= ClipPolygon::most; ++i) {
        const ClipVertex& a = polygon.corner[i];
        const ClipVertex& b = polygon.corner[(i + 1) % n];
        const float da = plane.distance(a.view), db = plane.distance(b.view);
        const bool aInside = da >= 0, bInside = db >= 0;
        if (aInside) {
            out.corner[out.count] = a;
            out.ownEdge[out.count++] = polygon.ownEdge[i];
        }
        if (aInside != bInside) {
            const float t = da / (da - db);
            ClipVertex& cut = out.corner[out.count];
            cut.view = a.view + (b.view - a.view) * t;
            for (int k = 0; k < ClipVertex::values; ++k) cut.value[k] = a.value[k] + (b.value[k] - a.value[k]) * t;
            // Leaving, the next edge runs along the plane; entering, it is the rest of a to b.
            out.ownEdge[out.count++] = aInside ? false : polygon.ownEdge[i];
        }
    }
    polygon = out;
}
