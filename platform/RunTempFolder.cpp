#include "platform/RunTempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string& Folder()
{
    static std::string folder;
    return folder;
}

} // namespace

std::string GetRunTempFolder()
{
    std::string& folder = Folder();
    if (!folder.empty() && std::filesystem::is_directory(folder))
        return folder;
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / "Morvel-run-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return folder = std::string();
    return folder = pattern + "/";
}

void RemoveRunTempFolder()
{
    std::string& folder = Folder();
    if (folder.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    folder.clear();
}
