#pragma once

#include <cstddef>
#include <string>

#include "MeshModel.h"

// The texts of the view's status line.
namespace StatusText {

// The extent along x, y and z in metres, as the check line gives it: "17.87 x 4.93 x 18.72 m".
std::string size(const MeshExtent& extent);
// "17.87 x 4.93 x 18.72 m, 122 groups, 14516 vertices, 11893 triangles": what the simulator
// holds, with the extent of its vertices.
std::string summary(const MeshExtent& extent, std::size_t groups, std::size_t vertices, std::size_t triangles);
// What a click on a face of the group names, to find it in the file and in the modeller:
// its number, the line of its GEOM, its label, material and texture with their names.
std::string group(const MeshModel& model, std::size_t groupIndex);

}  // namespace StatusText
