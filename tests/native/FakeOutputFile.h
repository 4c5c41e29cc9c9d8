#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

#include "OutputFile.h"

// The fake's own file error.
struct FakeFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Keeps every file it has written by path, so tests see what a partial file keeps, and can
// be told to fail open, a chosen write (after putting part of its bytes in the file, as a
// full disk does), or close.
class FakeOutputFile : public OutputFile {
public:
    bool open(const char* path) override {
        if (failOpen) return false;
        current = path;
        files[current].clear();
        openNow = true;
        return true;
    }
    bool isOpen() const override { return openNow; }
    void write(const void* bytes, std::uint32_t count) override {
        if (count == 0) return;
        ++writes;
        if (!openNow) throw FakeFileError("write to a file that is not open");
        if (failWriteNumber == writes) {
            files[current].append(static_cast<const char*>(bytes), std::min<std::uint32_t>(count, failingWriteKeeps));
            throw FakeFileError("disk full");
        }
        files[current].append(static_cast<const char*>(bytes), count);
    }
    void close() override {
        if (!openNow) return;
        openNow = false;
        ++closes;
        if (failClose) throw FakeFileError("close failed");
    }

    void cutBackAndClose(std::uint64_t length) override {
        if (!openNow) return;
        openNow = false;
        if (length < files[current].size()) files[current].resize(length);
    }

    const std::string& bytes() { return files[current]; }

    std::map<std::string, std::string> files;
    std::string current;
    bool openNow = false;
    bool failOpen = false;
    bool failClose = false;
    int failWriteNumber = 0;  // the n-th non-empty write fails (1-based); 0: none
    std::uint32_t failingWriteKeeps = 0;  // bytes of the failing write that reach the file
    int writes = 0;
    int closes = 0;
};
