#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The whole file's bytes, unchanged; false when it cannot be read.
inline bool readFileBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return true;
}
