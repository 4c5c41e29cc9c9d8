#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where the simulator looks for the textures of a mesh file saved below its Meshes folder:
// the folder above the nearest folder named Meshes (any case) above the file, with a
// separator at the end ("" for a relative path that begins with Meshes). Nothing when the
// file is not below such a folder.
std::optional<std::string> simulatorFolderOf(std::string_view meshPath);
