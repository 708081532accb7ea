#pragma once
#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tarvex::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        for (int attempt = 0; attempt < 100 && m_root.empty(); ++attempt) {
            const std::filesystem::path candidate = base / ("tarvex-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error)) m_root = candidate;
        }
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
    // Entries in the folder, files and folders alike; their names, sorted.
    size_t Count() const { return Names().size(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_root))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_root;
};

}  // namespace tarvex::testing
