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
// be told to fail open (and reopen), a chosen write (after putting part of its bytes in the
// file, as a full disk does), emptying, or close. Writes go where the file stands, as a
// system file's do: a file opened again stands at its start, over the bytes it keeps.
class FakeOutputFile : public OutputFile {
public:
    bool open(const char* path) override {
        if (failOpen) return false;
        current = path;
        files[current].clear();
        openNow = true;
        position = 0;
        return true;
    }
    bool reopen() override {
        if (failOpen || current.empty()) return false;
        openNow = true;
        position = 0;
        return true;
    }
    bool isOpen() const override { return openNow; }
    void write(const void* bytes, std::uint32_t count) override {
        if (count == 0) return;
        ++writes;
        if (!openNow) throw FakeFileError("write to a file that is not open");
        if (failWriteNumber == writes) {
            put(bytes, std::min<std::uint32_t>(count, failingWriteKeeps));
            throw FakeFileError("disk full");
        }
        put(bytes, count);
    }
    void close() override {
        if (!openNow) return;
        openNow = false;
        ++closes;
        if (failClose) throw FakeFileError("close failed");
    }

    void empty() override {
        if (!openNow || failEmpty) throw FakeFileError("cannot empty the file");
        files[current].clear();
        position = 0;
    }

    void cutBackAndClose(std::uint64_t length) override {
        if (!openNow) return;
        openNow = false;
        if (length < files[current].size() && !failEmpty) files[current].resize(length);  // fails as empty() does
    }

    const std::string& bytes() { return files[current]; }

    std::map<std::string, std::string> files;
    std::string current;
    bool openNow = false;
    std::size_t position = 0;
    bool failOpen = false;
    bool failClose = false;
    bool failEmpty = false;
    int failWriteNumber = 0;  // the n-th non-empty write fails (1-based); 0: none
    std::uint32_t failingWriteKeeps = 0;  // bytes of the failing write that reach the file
    int writes = 0;
    int closes = 0;

private:
    void put(const void* bytes, std::uint32_t count) {
        files[current].replace(position, count, static_cast<const char*>(bytes), count);
        position += count;
    }
};
