#include "FileBase.h"

#include "AppBase.h"

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CFileException::Cause causeOf(DWORD osError) {
    switch (osError) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return CFileException::accessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return CFileException::diskFull;
    case ERROR_INVALID_HANDLE: return CFileException::badHandle;
    default: return CFileException::genericException;
    }
}

}  // namespace

CFileException::CFileException(Cause cause, DWORD osError, CString fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

CString CFileException::GetErrorMessage() const {
    const char* what = "An error occurred with the file";
    switch (m_cause) {
    case diskFull: what = "There is not enough space on the disk for"; break;
    case accessDenied: what = "Access was denied to"; break;
    case badHandle: what = "The file is not open:"; break;
    default: break;
    }
    CString text = CString(what) + " " + (m_strFileName.empty() ? CString("(unnamed)") : m_strFileName) + ".";
    char system[512] = "";
    if (m_lOsError != 0 &&
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, m_lOsError, 0, system,
                       sizeof system, nullptr))
        text += CString("\n\n") + system;
    return text;
}

void CFileException::ReportError() const {
    AfxMessageBox(GetErrorMessage().c_str(), MB_OK | MB_ICONSTOP);
}

CFile::~CFile() { Abort(); }

bool CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    Abort();
    DWORD access = (openFlags & modeReadWrite) ? GENERIC_READ | GENERIC_WRITE
                   : (openFlags & modeWrite)   ? GENERIC_WRITE
                                               : GENERIC_READ;
    DWORD share = (openFlags & shareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    DWORD create = !(openFlags & modeCreate)      ? OPEN_EXISTING
                   : (openFlags & modeNoTruncate) ? OPEN_ALWAYS
                                                  : CREATE_ALWAYS;
    HANDLE handle = CreateFileA(fileName, access, share, nullptr, create, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD osError = GetLastError();
        if (error) *error = CFileException(causeOf(osError), osError, fileName);
        return false;
    }
    m_hFile = handle;
    m_strFileName = fileName;
    return true;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (count == 0) return 0;
    if (m_hFile == hFileNull) throw CFileException(CFileException::badHandle, 0, m_strFileName);
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) {
        DWORD e = GetLastError();
        throw CFileException(causeOf(e), e, m_strFileName);
    }
    return read;
}

void CFile::Write(const void* buffer, UINT count) {
    if (count == 0) return;
    if (m_hFile == hFileNull) throw CFileException(CFileException::badHandle, 0, m_strFileName);
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) {
        DWORD e = GetLastError();
        throw CFileException(causeOf(e), e, m_strFileName);
    }
    if (written != count) throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::SetLength(ULONGLONG newLength) {
    if (m_hFile == hFileNull) throw CFileException(CFileException::badHandle, 0, m_strFileName);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(newLength);
    if (!SetFilePointerEx(m_hFile, at, nullptr, FILE_BEGIN) || !SetEndOfFile(m_hFile)) {
        DWORD e = GetLastError();
        throw CFileException(causeOf(e), e, m_strFileName);
    }
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER length;
    if (m_hFile == hFileNull || !GetFileSizeEx(m_hFile, &length)) {
        const DWORD e = m_hFile == hFileNull ? 0 : GetLastError();
        throw CFileException(m_hFile == hFileNull ? CFileException::badHandle : causeOf(e), e, m_strFileName);
    }
    return static_cast<ULONGLONG>(length.QuadPart);
}

void CFile::Close() {
    if (m_hFile == hFileNull) return;
    HANDLE handle = m_hFile;
    m_hFile = hFileNull;
    if (!CloseHandle(handle)) {
        DWORD e = GetLastError();
        throw CFileException(causeOf(e), e, m_strFileName);
    }
}

void CFile::Abort() {
    if (m_hFile == hFileNull) return;
    CloseHandle(m_hFile);
    m_hFile = hFileNull;
}
