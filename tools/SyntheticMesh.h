#pragma once

#include <cstddef>
#include <string>

// Makes a well-formed mesh text of at least approxBytes bytes (LF line ends): groups of
// vertices and triangles, then materials and textures, as an exporter writes them.
std::string makeSyntheticMesh(std::size_t approxBytes);
