#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvex::platform {

// File access on descriptors with one meaning on every system: always binary, 64-bit sizes,
// descriptors not inherited by child processes. Failures leave the reason in errno.

enum class FileKind { Missing, Regular, Folder, Other };

// What the path names, following links; Missing also when it cannot be examined.
FileKind KindOfPath(const std::string& path);
FileKind KindOfFile(int fd);

// -1 on failure.
int OpenForReading(const std::string& path);
// An existing file, or a device, for writing; truncated when asked.
int OpenForWriting(const std::string& path, bool truncate);
// Reading and writing, created (empty, readable by all) when missing.
int OpenForUpdate(const std::string& path);
bool CloseFile(int fd);

bool FileSize(int fd, int64_t& size);
// Read or write until count bytes are done or the file ends or fails; return the bytes done.
size_t ReadFully(int fd, uint8_t* buffer, size_t count);
size_t WriteFully(int fd, const void* data, size_t count);
size_t ReadAt(int fd, uint64_t offset, uint8_t* buffer, size_t count);
size_t WriteAt(int fd, uint64_t offset, const uint8_t* data, size_t count);
// Sends what was written to the disk itself.
bool FlushToDisk(int fd);
// Permission bits where the system has them; Windows keeps only its read-only attribute.
bool SetFileMode(int fd, unsigned mode);
// The mode of a new document the user saves: readable by all, as the user's umask allows.
unsigned UserFileMode();
// The permission bits of the file the path names; fallback where unknown or not kept.
unsigned ModeOfPath(const std::string& path, unsigned fallback);

// True when the file may be opened for writing.
bool MayWrite(const std::string& path);
// The full path of the file the path names, through links; the path itself when unknown.
std::string ResolvedPath(const std::string& path);
// Whether the path names the open file, through any path or link: Unknown when it cannot be
// told (a missing path is Different).
enum class Sameness { Same, Different, Unknown };
Sameness PathNamesFile(const std::string& path, int fd);
// Moves a file onto another in one step, replacing it, and makes the move durable.
bool MoveOnto(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);

}  // namespace tarvex::platform
