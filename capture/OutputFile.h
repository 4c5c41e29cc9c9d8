#pragma once

#include <cstdint>

// The file that receives the mesh text. Failures of write and close are raised as the
// implementation's own error type; the capture lets them pass to its caller.
class OutputFile {
public:
    virtual ~OutputFile() = default;

    // Creates or truncates the file for writing only, others may read and write it.
    // Returns false when that fails; raises nothing.
    virtual bool open(const char* path) = 0;
    // Opens the file that open() opened last once more, for writing only, others may read
    // and write, keeping what it holds. Returns false when that fails; raises nothing.
    virtual bool reopen() = 0;
    virtual bool isOpen() const = 0;
    // Writes count bytes unchanged at the file's position (its end after open() and empty();
    // reopen() leaves it at the start, so empty() comes before any write), straight to the
    // file. A count of 0 writes nothing and cannot fail; any other failure, also on a file not
    // open, raises.
    virtual void write(const void* bytes, std::uint32_t count) = 0;
    // Closes the file; afterwards isOpen() is false even when the close raised.
    // Does nothing on a file that is not open.
    virtual void close() = 0;
    // Cuts the open file to nothing; writing goes on at its start. Raises like write when
    // that fails.
    virtual void empty() = 0;
    // After a failed write or close: cuts the file back to its first length bytes and
    // closes it, ignoring any failure of either; raises nothing. Does nothing on a file
    // that is not open.
    virtual void cutBackAndClose(std::uint64_t length) = 0;
};
