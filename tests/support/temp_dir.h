#pragma once
#include <stdlib.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace tarvex::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvex-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) m_root = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::string Path(const std::string& name) const { return (m_root / name).string(); }
    std::string operator/(const std::string& name) const { return Path(name); }
    // Entries in the folder, files and folders alike.
    size_t Count() const {
        auto entries = std::filesystem::directory_iterator(m_root);
        return static_cast<size_t>(std::distance(begin(entries), end(entries)));
    }

private:
    std::filesystem::path m_root;
};

}  // namespace tarvex::testing
