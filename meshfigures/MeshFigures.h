#pragma once

#include <cstdint>
#include <string>

// How a mesh's figures are written, alike in the check line and the view's status line.
namespace MeshFigures {

// "1 group", "3 groups".
std::string counted(std::uint64_t n, const char* one, const char* many);
// The extent along x, y and z in metres, two decimals: "17.87 x 4.93 x 18.72 m".
std::string size(double x, double y, double z);

}  // namespace MeshFigures
