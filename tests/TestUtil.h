#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morvel::test {

// A fresh folder under the system temporary folder, removed with everything in it at scope end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::vector<unsigned char> ReadAllBytes(const std::string& path);
void WriteAllBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::string ReadAllText(const std::string& path);
void WriteAllText(const std::string& path, const std::string& text);

// Path of a sample file in tests/data, or in the shared public sample folder.
std::string TestDataPath(const std::string& name);
std::string SharedTestDataPath(const std::string& name);

} // namespace morvel::test
