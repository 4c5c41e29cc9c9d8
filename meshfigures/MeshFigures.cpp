#include "MeshFigures.h"

#include <cstdio>

std::string MeshFigures::counted(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Room for three extents as large as a float's range (39 digits before the point).
std::string MeshFigures::size(double x, double y, double z) {
    char text[160];
    std::snprintf(text, sizeof text, "%.2f x %.2f x %.2f m", x, y, z);
    return text;
}
