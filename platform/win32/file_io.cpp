#include "platform/file_io.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace tarvex::platform {

namespace {

constexpr size_t MaxChunk = 1u << 30;  // _read and _write count in unsigned int

FileKind KindOf(const struct _stat64& info) {
    if ((info.st_mode & _S_IFMT) == _S_IFREG) return FileKind::Regular;
    if ((info.st_mode & _S_IFMT) == _S_IFDIR) return FileKind::Folder;
    return FileKind::Other;
}

// Repeats a transfer step of at most MaxChunk bytes until count bytes are done; stops at the end
// of the file or a failure. Returns the bytes done.
template <typename Step>
size_t Repeat(size_t count, Step step) {
    size_t done = 0;
    while (done < count) {
        const int n = step(done, static_cast<unsigned>(std::min(count - done, MaxChunk)));
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

// errno for the Win32 failures that callers report.
void SetErrnoFromLastError() {
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        errno = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        errno = EACCES;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    case ERROR_NOT_SAME_DEVICE:
        errno = EXDEV;
        break;
    default:
        errno = EIO;
    }
}

// Names of the device namespace ("\\.\pipe\x", "//./Scsi0:") and the reserved device names
// (NUL, CON, COM1, ...): examined without opening them, which would take a pipe's connection.
bool IsDeviceName(const std::string& path) {
    if (path.size() > 4 && (path[0] == '\\' || path[0] == '/') &&
        (path[1] == '\\' || path[1] == '/') && path[2] == '.' &&
        (path[3] == '\\' || path[3] == '/'))
        return true;
    const size_t separator = path.find_last_of("/\\:");
    const size_t start = separator == std::string::npos ? 0 : separator + 1;
    std::string stem = path.substr(start, path.find('.', start) - start);
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* name : {"NUL", "CON", "PRN", "AUX", "CONIN$", "CONOUT$"})
        if (stem == name) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

FileKind KindOfPath(const std::string& path) {
    if (IsDeviceName(path)) return FileKind::Other;
    // Unlike the runtime's stat, this takes a folder's name with a separator at its end.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        SetErrnoFromLastError();
        return FileKind::Missing;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? FileKind::Other : FileKind::Regular;
}

FileKind KindOfFile(int fd) {
    struct _stat64 info {};
    return ::_fstat64(fd, &info) == 0 ? KindOf(info) : FileKind::Missing;
}

int OpenForReading(const std::string& path) {
    return ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int OpenForWriting(const std::string& path, bool truncate) {
    return ::_open(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT | (truncate ? _O_TRUNC : 0));
}

int OpenForUpdate(const std::string& path) {
    return ::_open(path.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}

bool CloseFile(int fd) { return ::_close(fd) == 0; }

bool FileSize(int fd, int64_t& size) {
    struct _stat64 info {};
    if (::_fstat64(fd, &info) != 0) return false;
    size = static_cast<int64_t>(info.st_size);
    return true;
}

size_t ReadFully(int fd, uint8_t* buffer, size_t count) {
    return Repeat(count,
                  [&](size_t done, unsigned chunk) { return ::_read(fd, buffer + done, chunk); });
}

size_t WriteFully(int fd, const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return Repeat(count,
                  [&](size_t done, unsigned chunk) { return ::_write(fd, bytes + done, chunk); });
}

// The descriptors are not shared between threads, so a seek before the transfer is safe.
size_t ReadAt(int fd, uint64_t offset, uint8_t* buffer, size_t count) {
    if (::_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) return 0;
    return ReadFully(fd, buffer, count);
}

size_t WriteAt(int fd, uint64_t offset, const uint8_t* data, size_t count) {
    if (::_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) return 0;
    return WriteFully(fd, data, count);
}

bool FlushToDisk(int fd) { return ::_commit(fd) == 0; }

bool SetFileMode(int, unsigned) { return true; }

unsigned UserFileMode() { return 0666u; }

unsigned ModeOfPath(const std::string&, unsigned fallback) { return fallback; }

bool MayWrite(const std::string& path) { return ::_access(path.c_str(), 2) == 0; }

Sameness PathNamesFile(const std::string& path, int fd) {
    BY_HANDLE_FILE_INFORMATION open{}, named{};
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(handle, &open))
        return Sameness::Unknown;
    // No access asked for: the file's identity only, whoever holds it open.
    const HANDLE other =
        ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Sameness::Different
                                                                              : Sameness::Unknown;
    }
    const BOOL known = ::GetFileInformationByHandle(other, &named);
    ::CloseHandle(other);
    if (!known) return Sameness::Unknown;
    return open.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
                   open.nFileIndexHigh == named.nFileIndexHigh &&
                   open.nFileIndexLow == named.nFileIndexLow
               ? Sameness::Same
               : Sameness::Different;
}

std::string ResolvedPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return path;
    return std::string(full, length);
}

bool MoveOnto(const std::string& from, const std::string& to) {
    if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    SetErrnoFromLastError();
    return false;
}

bool RemoveFile(const std::string& path) {
    if (::DeleteFileA(path.c_str())) return true;
    SetErrnoFromLastError();
    return false;
}

}  // namespace tarvex::platform
