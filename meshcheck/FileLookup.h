#pragma once

#include <string>

// Answers whether a file exists: the program asks the file system, tests a fake.
class FileLookup {
public:
    virtual ~FileLookup() = default;
    virtual bool exists(const std::string& path) const = 0;
};
