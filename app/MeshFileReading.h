#pragma once

#include <string>

#include "MeshModel.h"

// Reads a mesh file into what the simulator holds after loading it, by the same reader as
// the mesh check. False when the file cannot be read; std::bad_alloc when the mesh is too
// large to hold.
bool readMeshFile(const std::string& path, MeshModel& model);
