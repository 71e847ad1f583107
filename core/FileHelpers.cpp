#include "core/FileHelpers.h"

#include "core/PathHelpers.h"
#include "core/ResourceStrings.h"
#include "core/TextUtil.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"

#include <pugixml.hpp>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || !IsPathSeparator(folder.back()))
        folder += '/';
    return folder;
}

void ShowUnableToOpen(const std::string& path)
{
    ShowMessageBoxFS(textutil::ReplaceFirst(LoadResourceString(30029), "%s", path), MB_OK | MB_ICONERROR);
}

std::string SystemTempFolder()
{
    std::error_code ec;
    fs::path temp = fs::temp_directory_path(ec);
    return ec ? std::string() : WithSeparator(temp.string());
}

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? WithSeparator(buffer) : std::string();
}

// Where one source goes: into the target folder under its own name, else the target itself.
std::string TargetFor(const std::string& source, const std::string& target)
{
    if (FolderExists(target))
        return WithSeparator(target) + GetPathFileName(source);
    return target;
}

bool MayReplace(const std::string& target)
{
    if (!FileExists(target))
        return true;
    std::string prompt = textutil::ReplaceFirst(LoadResourceString(1666), "%1", target);
    return ShowMessageBoxFS(prompt, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool CopyOne(const std::string& source, const std::string& target)
{
    if (!FileExists(source))
        return false;
    std::string to = TargetFor(source, target);
    if (!MayReplace(to))
        return false;
    std::error_code ec;
    fs::copy_file(source, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

bool MoveOne(const std::string& source, const std::string& target)
{
    if (!FileExists(source))
        return false;
    std::string to = TargetFor(source, target);
    if (!MayReplace(to))
        return false;
    if (::rename(source.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: copy, then remove the source only once the copy is complete.
    std::error_code ec;
    fs::copy_file(source, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return false;
    return fs::remove(source, ec) && !ec;
}

bool ReadWhole(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

std::string MakeTempFileName(const std::string& folder, int& error)
{
    error = 0;
    std::string pattern = WithSeparator(folder) + "XXXXXX.tmp";
    int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) {
        error = errno;
        return {};
    }
    ::close(fd);
    return pattern;
}

std::string MakeTempFileName(const std::string& folder)
{
    int error = 0;
    std::string path = MakeTempFileName(folder, error);
    if (path.empty())
        ShowMessageBoxFS("GetTempFileName failed:\n" + folder + "\n" + std::strerror(error), MB_OK | MB_ICONERROR);
    return path;
}

std::string MakeTempFilePath()
{
    std::string folder;
    for (const std::string& candidate : {SystemTempFolder(), CurrentFolder(), GetHomeFolder()}) {
        if (!candidate.empty() && FolderExists(candidate)) {
            folder = candidate;
            break;
        }
    }
    if (folder.empty()) {
        ShowMessageBoxFS("This application cannot run because no temporary file can be created.", MB_OK | MB_ICONERROR);
        return {};
    }
    return MakeTempFileName(folder);
}

bool RefuseOpenJob(const std::string& jobPath, const std::string& openJobPath)
{
    if (!IsSameFile(jobPath, openJobPath))
        return false;
    ShowMessageBoxFS("'" + GetPathFileName(jobPath) + "' is the open job. Choose another name for the new job.",
                     MB_OK | MB_ICONERROR);
    return true;
}

bool FilesHaveSameContents(const std::string& pathA, const std::string& pathB)
{
    std::error_code ec;
    auto sizeA = fs::file_size(pathA, ec);
    if (ec) {
        ShowUnableToOpen(pathA);
        return false;
    }
    auto sizeB = fs::file_size(pathB, ec);
    if (ec) {
        ShowUnableToOpen(pathB);
        return false;
    }
    if (sizeA != sizeB)
        return false;

    std::string a, b;
    if (!ReadWhole(pathA, a)) {
        ShowUnableToOpen(pathA);
        return false;
    }
    if (!ReadWhole(pathB, b)) {
        ShowUnableToOpen(pathB);
        return false;
    }
    // Equal checksums do not prove equal files, so the bytes themselves decide.
    return a == b;
}

bool ShellCopyFile(const std::string& source, const std::string& target)
{
    return CopyOne(source, target);
}

namespace {

// Applies one file operation to every source into a target folder made when missing; every
// source is tried even after a failure.
bool ForEachIntoFolder(const std::vector<std::string>& sources, const std::string& target,
                       bool (*operation)(const std::string&, const std::string&))
{
    if (sources.empty())
        return false;
    if (!FolderExists(target))
        CreateFolderTree(target);
    bool all = true;
    for (const std::string& source : sources)
        all = operation(source, target) && all;
    return all;
}

} // namespace

bool ShellCopyFiles(const std::vector<std::string>& sources, const std::string& target)
{
    return ForEachIntoFolder(sources, target, CopyOne);
}

bool ShellMoveFiles(const std::vector<std::string>& sources, const std::string& target)
{
    return ForEachIntoFolder(sources, target, MoveOne);
}

void PrepareDxfColorMaps(int colorMode)
{
    std::string suffix;
    if (colorMode == 0)
        suffix = "64.map";
    else if (colorMode == 1 || colorMode == 2)
        suffix = "16.map";

    const std::string folder = GetProgramDataFolder();
    // An installed program keeps its templates beside itself while the working maps go to the
    // data folder.
    const std::string installed = GetExecutableFolder();
    for (const char* base : {"DxfIPCO", "DxfOPCO"}) {
        std::string target = folder + base + ".MAP";
        std::string templ = folder + base + suffix;
        if (!FileExists(templ) && FileExists(installed + base + suffix))
            templ = installed + base + suffix;
        ClearReadOnlyAttribute(target);
        ClearReadOnlyAttribute(templ);
        if (colorMode == 2) {
            if (FileExists(target))
                ::unlink(target.c_str());
        } else {
            std::error_code ec;
            fs::copy_file(templ, target, fs::copy_options::overwrite_existing, ec);
        }
    }
}

bool CheckXmlParserInstalled()
{
    // The parser is built into the program; this only proves it answers.
    pugi::xml_document doc;
    return static_cast<bool>(doc.load_string("<a/>"));
}
