#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvex {

enum class SaveOutcome { Saved, CreateFailed, ShortWrite };

// Permissions of a file the user names: read and write for all, less the process's umask.

// Writes the image to the path whole or not at all: it is written beside the target and moved
// into place, so an existing file is never left truncated or half-written. CreateFailed when
// the file cannot be created, ShortWrite when not every byte reached it.
SaveOutcome SaveImageFile(const std::string& path, const uint8_t* data, size_t length,
                          unsigned mode);

}  // namespace tarvex
