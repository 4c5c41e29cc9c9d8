#pragma once

#include <algorithm>
#include <limits>

#include "VectorMath.h"

// The axis-aligned box around a set of points.
struct Bounds {
    Vec3 min{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    Vec3 max{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
             -std::numeric_limits<float>::max()};

    bool empty() const { return min.x > max.x; }
    void add(Vec3 p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    Vec3 centre() const { return empty() ? Vec3{} : (min + max) * 0.5f; }
    // Extent along x, y and z; zero when empty.
    Vec3 size() const { return empty() ? Vec3{} : max - min; }
    // Half the diagonal: the sphere around the centre that holds the box.
    float radius() const { return length(size()) * 0.5f; }
};
