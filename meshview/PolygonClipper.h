#pragma once

#include "VectorMath.h"

// A corner of a polygon in the camera's coordinates, with the quantities that vary across it
// (light, highlight, texture coordinates), carried along where the polygon is cut.
struct ClipVertex {
    static constexpr int values = 4;
    Vec3 view;
    float value[values];
};

// A convex polygon; edge i runs from corner i to corner i + 1 (the last back to the first)
// and is an own edge when it lies on an edge of the triangle it was cut from, not on a plane
// that cut it.
struct ClipPolygon {
    static constexpr int most = 10;  // a triangle cut by five planes has at most eight corners
    ClipVertex corner[most];
    bool ownEdge[most];
    int count = 0;
};

// The half space a·x + b·y + c·z + d >= 0 of the camera's coordinates.
struct ClipPlane {
    float a, b, c, d;
    float distance(Vec3 p) const { return a * p.x + b * p.y + c * p.z + d; }
};

// Keeps the part of the polygon inside the plane (Sutherland-Hodgman); an edge made along
// the plane is not an own edge.
void clipPolygon(ClipPolygon& polygon, const ClipPlane& plane);
