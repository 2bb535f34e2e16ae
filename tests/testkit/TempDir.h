#pragma once

#include <filesystem>
#include <string>

namespace testkit {

// A fresh folder under the system's temp folder, removed with everything in it on destruction.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "pedtest");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

} // namespace testkit
