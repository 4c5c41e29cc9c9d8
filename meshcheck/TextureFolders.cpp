#include "TextureFolders.h"

#include "LineScan.h"

std::optional<std::string> simulatorFolderOf(std::string_view meshPath) {
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    std::size_t end = meshPath.size();
    while (end > 0 && !isSeparator(meshPath[end - 1])) --end;  // the file's own name
    while (end > 0) {
        const std::size_t folderEnd = end - 1;  // the separator after the folder
        std::size_t begin = folderEnd;
        while (begin > 0 && !isSeparator(meshPath[begin - 1])) --begin;
        if (LineScan::equalNoCase(meshPath.substr(begin, folderEnd - begin), "Meshes"))
            return std::string(meshPath.substr(0, begin));
        end = begin;
    }
    return std::nullopt;
}

std::optional<std::string> textureFileOf(const std::string& simulatorFolder, const std::string& name,
                                         const FileLookup& files) {
    for (const char* folder : {"Textures2\\", "Textures\\"}) {
        std::string path = simulatorFolder + folder + name;
        if (files.exists(path)) return path;
    }
    return std::nullopt;
}
