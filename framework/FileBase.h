#pragma once

#include <windows.h>

#include "FrameworkString.h"

// A file error, raised by CFile::Read, CFile::Write and CFile::Close. The window procedure of
// the framework catches it and reports it in a message box (ReportError).
class CFileException {
public:
    enum Cause { none, genericException, accessDenied, diskFull, badHandle };

    CFileException(Cause cause, DWORD osError, CString fileName);
    // Text that describes the error, with the file name and the system's own message.
    CString GetErrorMessage() const;
    // Shows the error in a stop-icon message box captioned with the application's name,
    // owned by the main window and in front (AfxMessageBox).
    void ReportError() const;

    Cause m_cause;
    DWORD m_lOsError;
    CString m_strFileName;
};

// A file on a Win32 handle; writes go straight to the system (no buffering).
class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,  // with modeCreate: an existing file keeps its content
    };
    static const HANDLE hFileNull;

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False when the file cannot be opened; the cause goes to error when one is given.
    bool Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Reads up to count bytes; returns how many it read, 0 at the end of the file. Raises
    // CFileException when reading fails.
    UINT Read(void* buffer, UINT count);
    // Writes count bytes; raises CFileException when not all were written.
    void Write(const void* buffer, UINT count);
    // The file's length in bytes; raises CFileException when it cannot be had.
    ULONGLONG GetLength() const;
    // Cuts or extends the file to newLength bytes and goes there; raises CFileException when
    // that fails.
    void SetLength(ULONGLONG newLength);
    // Closes the handle; raises CFileException when closing fails (the file counts as closed).
    void Close();
    // Closes the handle and ignores any failure.
    void Abort();

    HANDLE m_hFile = hFileNull;
    CString m_strFileName;
};
