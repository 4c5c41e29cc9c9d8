#include "DiskFiles.h"

bool DiskFiles::stamp(const std::string& path, FileStamp& stamp) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp.size = std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    stamp.written = std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

// Sized by the file's own length, after the limit is checked.
bool DiskFiles::read(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) const {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const std::uint64_t size = std::uint64_t{high} << 32 | low;
    bool ok = !(low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) && size <= limit;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD got = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            ok = ReadFile(file, bytes.data() + done, chunk, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    return ok;
}
