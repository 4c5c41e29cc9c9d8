#pragma once

#include "FileBase.h"
#include "OutputFile.h"

// The output file on the framework's file: failures of write, empty and close raise
// CFileException.
class FileOutput : public OutputFile {
public:
    explicit FileOutput(CFile& file) : file(file) {}

    bool open(const char* path) override {
        return file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone, nullptr);
    }
    // The file's name outlives its handle.
    bool reopen() override {
        const CString path = file.m_strFileName;
        return !path.empty() &&
               file.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyNone,
                         nullptr);
    }
    bool isOpen() const override { return file.m_hFile != CFile::hFileNull; }
    void write(const void* bytes, std::uint32_t count) override { file.Write(bytes, count); }
    void close() override { file.Close(); }
    void empty() override { file.SetLength(0); }
    // Plain system calls on the handle: nothing here may raise.
    void cutBackAndClose(std::uint64_t length) override {
        if (!isOpen()) return;
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(length);
        if (SetFilePointerEx(file.m_hFile, at, nullptr, FILE_BEGIN)) SetEndOfFile(file.m_hFile);
        file.Abort();
    }

private:
    CFile& file;
};
