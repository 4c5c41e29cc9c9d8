#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "FileLookup.h"

// Where the simulator looks for the textures of a mesh file saved below its Meshes folder:
// the folder above the nearest folder named Meshes (any case) above the file, with a
// separator at the end ("" for a relative path that begins with Meshes). Nothing when the
// file is not below such a folder.
std::optional<std::string> simulatorFolderOf(std::string_view meshPath);

// The file the simulator reads for a texture of the list: Textures2\<name>, else
// Textures\<name>, in the simulator's folder (the name exactly as listed). Nothing when
// neither is there.
std::optional<std::string> textureFileOf(const std::string& simulatorFolder, const std::string& name,
                                         const FileLookup& files);
