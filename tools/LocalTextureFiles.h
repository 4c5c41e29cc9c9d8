#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "TextureFiles.h"

// Texture files on this machine's own file system, for the tests and benchmarks that run
// natively: the simulator's backslashes are taken as this system's separators.
class LocalTextureFiles : public TextureFiles {
public:
    bool stamp(const std::string& path, FileStamp& stamp) const override {
        std::error_code error;
        const std::filesystem::path p = local(path);
        if (!std::filesystem::is_regular_file(p, error)) return false;
        stamp.size = std::filesystem::file_size(p, error);
        stamp.written = static_cast<std::uint64_t>(std::filesystem::last_write_time(p, error).time_since_epoch().count());
        return !error;
    }
    bool read(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) const override {
        FileStamp s;
        if (!stamp(path, s) || s.size > limit) return false;
        std::ifstream in(local(path), std::ios::binary);
        bytes.resize(static_cast<std::size_t>(s.size));
        return in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())).good() || s.size == 0;
    }

private:
    static std::filesystem::path local(std::string path) {
        for (char& c : path)
            if (c == '\\') c = '/';
        return path;
    }
};
