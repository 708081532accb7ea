#include "ui/image_file_save.h"

#include "platform/replacing_file.h"

namespace tarvex {

SaveOutcome SaveImageFile(const std::string& path, const uint8_t* data, size_t length,
                          unsigned mode) {
    if (path.empty()) return SaveOutcome::CreateFailed;
    platform::ReplacingFile file;
    if (!file.Open(path, mode)) return SaveOutcome::CreateFailed;
    if (file.Write(data, length) != length) {
        file.Abort();
        return SaveOutcome::ShortWrite;
    }
    return file.Commit() ? SaveOutcome::Saved : SaveOutcome::ShortWrite;
}

}  // namespace tarvex
