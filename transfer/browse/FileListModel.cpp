#include "transfer/browse/FileListModel.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/TextUtil.h"
#include "platform/Profile.h"
#include "transfer/backup/CompanionFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// The MIME files are read with limits: the database is outside the program's control.
constexpr std::uintmax_t MaxGlobsSize = 8u << 20;
constexpr std::uintmax_t MaxTypeFileSize = 1u << 20;

bool ReadSmallFile(const std::string& path, std::uintmax_t limit, std::string& text)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > limit)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The text after the last '.', empty when there is none.
std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool SameNoCase(const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) == 0; }

std::string UnescapeXml(std::string text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, std::strlen(from), to);
    return text;
}

bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

} // namespace

std::string FormatListTime(int64_t time)
{
    if (time == 0)
        return {};
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  (local.tm_year + 1900) % 100, hour12, local.tm_min, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

bool PassesExtensionFilter(const std::string& name, const std::string& filter)
{
    if (filter.empty() || filter == "*")
        return true;
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && SameNoCase(name.substr(dot + 1), filter);
}

// ---------------------------------------------------------------- type names

namespace {

// Each line of a small database file (none when it cannot be read or is too large).
template <typename Visit>
void ForEachLineOf(const std::string& path, Visit visit)
{
    std::string text;
    if (!ReadSmallFile(path, MaxGlobsSize, text))
        return;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

CFileTypeNames::CFileTypeNames(std::string mimeFolder) : m_folder(std::move(mimeFolder)) {}

CFileTypeNames& CFileTypeNames::Shared()
{
    static CFileTypeNames names;
    return names;
}

void CFileTypeNames::LoadGlobs()
{
    m_globsLoaded = true;
    // "weight:type:pattern[:flags]", heaviest first: the first plain "*.ext" of an extension wins.
    ForEachLineOf(m_folder + "/globs2", [this](const std::string& line) {
        if (line.empty() || line[0] == '#')
            return;
        const size_t c1 = line.find(':');
        const size_t c2 = c1 == std::string::npos ? c1 : line.find(':', c1 + 1);
        if (c2 == std::string::npos)
            return;
        const std::string type = line.substr(c1 + 1, c2 - c1 - 1);
        std::string pattern = line.substr(c2 + 1);
        pattern = pattern.substr(0, pattern.find(':'));
        if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
            pattern.find_first_of("*?[.", 2) != std::string::npos)
            return;
        m_typeOfExtension.emplace(textutil::ToLowerAscii(pattern.substr(2)), type);
    });
}

std::string CFileTypeNames::Describe(const std::string& mimeType)
{
    // Only "media/subtype" names are looked up, so a type cannot point outside the database.
    const size_t slash = mimeType.find('/');
    if (slash == std::string::npos || mimeType.find('/', slash + 1) != std::string::npos ||
        mimeType.find("..") != std::string::npos)
        return {};
    std::string text;
    if (!ReadSmallFile(m_folder + "/" + mimeType + ".xml", MaxTypeFileSize, text))
        return {};
    // The untranslated description is the <comment> without a language.
    const size_t open = text.find("<comment>");
    if (open == std::string::npos)
        return {};
    const size_t from = open + std::strlen("<comment>");
    const size_t close = text.find("</comment>", from);
    if (close == std::string::npos || close - from > 512)
        return {};
    return UnescapeXml(text.substr(from, close - from));
}

std::string CFileTypeNames::GetTypeName(const std::string& name, bool isFolder)
{
    if (isFolder) {
        if (!m_folderNameKnown) {
            m_folderName = Describe("inode/directory");
            m_folderNameKnown = true;
        }
        return m_folderName;
    }
    const std::string extension = ExtensionOf(name);
    if (extension.empty())
        return {};
    const std::string key = textutil::ToLowerAscii(extension);
    if (const auto found = m_nameOfExtension.find(key); found != m_nameOfExtension.end())
        return found->second;
    if (!m_globsLoaded)
        LoadGlobs();
    std::string described;
    if (const auto type = m_typeOfExtension.find(key); type != m_typeOfExtension.end())
        described = Describe(type->second);
    if (described.empty())
        described = textutil::ToUpperAscii(key) + " File";
    return m_nameOfExtension.emplace(key, described).first->second;
}

void CFileTypeNames::LoadIconTables()
{
    m_iconTablesLoaded = true;
    // "type:icon" lines: the type's own icon where it is not named after the type, and its
    // generic icon.
    auto load = [this](const char* file, std::map<std::string, std::string>& table) {
        ForEachLineOf(m_folder + "/" + file, [&table](const std::string& line) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos && colon != 0 && colon + 1 != line.size())
                table.emplace(line.substr(0, colon), line.substr(colon + 1));
        });
    };
    load("icons", m_iconOfType);
    load("generic-icons", m_genericIconOfType);
}

std::vector<std::string> CFileTypeNames::IconNamesOfType(const std::string& mimeType) const
{
    const size_t slash = mimeType.find('/');
    if (slash == std::string::npos || slash == 0 || mimeType.find('/', slash + 1) != std::string::npos)
        return {};
    // Icon names go to the icon theme; only plain names, never anything that reads as a path.
    auto plain = [](const std::string& icon) {
        return !icon.empty() && icon[0] != '.' && std::all_of(icon.begin(), icon.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == '+';
        });
    };
    std::string own = mimeType;
    own[slash] = '-';
    if (const auto named = m_iconOfType.find(mimeType); named != m_iconOfType.end())
        own = named->second;
    std::string generic = mimeType.substr(0, slash) + "-x-generic";
    if (const auto named = m_genericIconOfType.find(mimeType); named != m_genericIconOfType.end())
        generic = named->second;
    std::vector<std::string> names;
    for (const std::string& icon : {own, generic})
        if (plain(icon) && std::find(names.begin(), names.end(), icon) == names.end())
            names.push_back(icon);
    return names;
}

const std::vector<std::string>& CFileTypeNames::GetIconNames(const std::string& name, bool isFolder)
{
    const std::string key = isFolder ? std::string("/") : textutil::ToLowerAscii(ExtensionOf(name));
    if (const auto found = m_iconsOfExtension.find(key); found != m_iconsOfExtension.end())
        return found->second;
    if (!m_iconTablesLoaded)
        LoadIconTables();
    std::vector<std::string> names;
    if (isFolder)
        names = IconNamesOfType("inode/directory");
    else if (!key.empty()) {
        if (!m_globsLoaded)
            LoadGlobs();
        if (const auto type = m_typeOfExtension.find(key); type != m_typeOfExtension.end())
            names = IconNamesOfType(type->second);
    }
    return m_iconsOfExtension.emplace(key, std::move(names)).first->second;
}

// ---------------------------------------------------------------- sort

void CListSortState::Load(CProfile& profile, const char* section)
{
    column = profile.GetProfileInt(section, "LSortColumn", 0);
    if (column < 0 || column > 3)
        column = 0;
    char key[32];
    for (size_t c = 0; c < ascending.size(); ++c) {
        std::snprintf(key, sizeof key, "LSortOrder%zu", c);
        ascending[c] = profile.GetProfileInt(section, key, 1) != 0;
    }
}

void CListSortState::Save(CProfile& profile, const char* section) const
{
    CProfileBatch batch(profile);
    profile.WriteProfileInt(section, "LSortColumn", column);
    char key[32];
    for (size_t c = 0; c < ascending.size(); ++c) {
        std::snprintf(key, sizeof key, "LSortOrder%zu", c);
        profile.WriteProfileInt(section, key, ascending[c] ? 1 : 0);
    }
}

void CListSortState::ClickColumn(int32_t clicked)
{
    if (clicked < 0 || clicked > 3)
        return;
    if (clicked == column)
        ascending[size_t(clicked)] = !ascending[size_t(clicked)];
    else {
        column = clicked;
        ascending[size_t(clicked)] = true;
    }
}

int CFileInfoOrder::Compare(const CFileInfo& a, const CFileInfo& b) const
{
    if (a.isFolder != b.isFolder)
        return a.isFolder ? -1 : 1;
    int result = 0;
    if (a.isFolder)
        result = CompareTextNoCase(a.name, b.name);
    else
        switch (m_column) {
        case 0: result = CompareTextNoCase(a.name, b.name); break;
        case 1: result = a.lastWriteTime < b.lastWriteTime ? -1 : (a.lastWriteTime > b.lastWriteTime ? 1 : 0); break;
        case 2: result = a.size < b.size ? -1 : (a.size > b.size ? 1 : 0); break;
        case 3: result = CompareTextNoCase(a.typeName, b.typeName); break;
        default: break;
        }
    return m_ascending ? result : -result;
}

void SortFileRows(std::vector<CFileInfo*>& rows, const CListSortState& sort)
{
    std::stable_sort(rows.begin(), rows.end(), CFileInfoOrder(sort));
}

// ---------------------------------------------------------------- reading a folder

namespace {

struct DirCloser
{
    void operator()(DIR* d) const { closedir(d); }
};

bool StatEntry(int dirFd, const char* name, struct stat& st)
{
    // A link is listed as what it points at; a dangling one as itself.
    return fstatat(dirFd, name, &st, 0) == 0 || fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

void FillInfo(const std::string& name, const struct stat& st, CFileTypeNames& types, CFileInfo& info)
{
    info.name = name;
    info.isFolder = S_ISDIR(st.st_mode);
    info.size = info.isFolder ? 0 : uint64_t(st.st_size);
    info.lastWriteTime = int64_t(st.st_mtime);
    info.typeName = types.GetTypeName(name, info.isFolder);
}

} // namespace

bool ReadFolder(const std::string& folder, int32_t contentMode, const std::string& filter, CFileTypeNames& types,
                std::vector<CFileInfo>& rows, std::string& error)
{
    rows.clear();
    std::unique_ptr<DIR, DirCloser> dir(opendir(WithTrailingSlash(folder).c_str()));
    if (!dir) {
        error = std::strerror(errno);
        return false;
    }
    const int fd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        struct stat st{};
        if (!StatEntry(fd, name, st))
            continue;
        const bool isFolder = S_ISDIR(st.st_mode);
        if (isFolder ? contentMode != FileListFoldersAndFiles : !PassesExtensionFilter(name, filter))
            continue;
        CFileInfo info;
        FillInfo(name, st, types, info);
        rows.push_back(std::move(info));
    }
    return true;
}

bool ReadFolderEntry(const std::string& folder, const std::string& name, CFileTypeNames& types, CFileInfo& info)
{
    struct stat st{};
    if (!IsPlainName(name) || stat((WithTrailingSlash(folder) + name).c_str(), &st) != 0)
        return false;
    FillInfo(name, st, types, info);
    return true;
}

std::string WithTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string GetParentFolder(const std::string& folder)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.size() <= 1)
        return "/";
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return "/";
    path.resize(slash == 0 ? 1 : slash);
    return WithTrailingSlash(path);
}

// ---------------------------------------------------------------- new folder

std::string MakeNewFolderName(const std::string& folder, const std::vector<std::string>& listedFolders)
{
    static const std::string base = "New Folder";
    int count = 0;
    for (const std::string& name : listedFolders)
        if (name.size() >= base.size() && SameNoCase(name.substr(0, base.size()), base))
            ++count;
    if (count == 0)
        return base;
    const std::string prefix = WithTrailingSlash(folder);
    for (int n = count;; ++n) {
        const std::string name = base + " (" + std::to_string(n) + ")";
        struct stat st{};
        if (lstat((prefix + name).c_str(), &st) != 0)
            return name;
    }
}

NewFolderRename RenameNewFolder(const std::string& folder, const std::string& oldName, const std::string& edited,
                                std::string& newName)
{
    newName = oldName;
    const std::string name = textutil::Trim(edited);
    if (SameNoCase(name, oldName))
        return NewFolderRename::Unchanged;
    // A '/' would move the folder elsewhere; the field holds names, not paths.
    if (!IsPlainName(name) || name.size() > 255)
        return NewFolderRename::Refused;
    const std::string prefix = WithTrailingSlash(folder);
    const std::string from = prefix + oldName, to = prefix + name;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return NewFolderRename::Refused;
        // A file system without the no-replace rename: claim the name with an empty folder, which
        // a folder may then be renamed over.
        if (mkdir(to.c_str(), 0777) != 0)
            return NewFolderRename::Refused;
        if (rename(from.c_str(), to.c_str()) != 0) {
            rmdir(to.c_str());
            return NewFolderRename::Refused;
        }
    }
    newName = name;
    return NewFolderRename::Renamed;
}

// ---------------------------------------------------------------- added files

void CAddedFiles::AddName(const std::string& name)
{
    for (const std::string& held : m_names)
        if (SameNoCase(held, name))
            return;
    m_names.push_back(name);
}

void CAddedFiles::RemoveName(const std::string& name)
{
    std::erase_if(m_names, [&name](const std::string& held) { return SameNoCase(held, name); });
}

namespace {

bool CopyReplacing(const std::string& from, const std::string& to, std::string& error)
{
    std::error_code ec;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        error = "Unable to copy " + from + " to " + to + ": " + ec.message();
    return !ec;
}

bool IsRoadFile(const std::string& name) { return SameNoCase(ExtensionOf(name), "rg7"); }

} // namespace

bool CAddedFiles::AddFile(const std::string& path, const std::string& jobFolder, std::string& error)
{
    const std::string name = GetPathFileName(path);
    const std::string sourceFolder = GetPathFolder(path);
    const bool inJobFolder = ComparePaths(WithTrailingSlash(sourceFolder), WithTrailingSlash(jobFolder)) == 0;
    std::string inJob = path;
    if (!inJobFolder) {
        inJob = WithTrailingSlash(jobFolder) + name;
        if (!CopyReplacing(path, inJob, error))
            return false;
    }
    AddName(name);
    if (!IsRoadFile(name))
        return true;
    std::vector<std::string> templates;
    GetRoadTemplateFiles(inJob, templates);
    bool copied = true;
    for (const std::string& file : templates) {
        const std::string templateName = GetPathFileName(file);
        if (!inJobFolder) {
            std::string why;
            if (!CopyReplacing(WithTrailingSlash(sourceFolder) + templateName, WithTrailingSlash(jobFolder) + templateName,
                               why)) {
                if (copied)
                    error = why;
                copied = false;
                continue;
            }
        }
        AddName(templateName);
    }
    return copied;
}

void CAddedFiles::RemoveFile(const std::string& path)
{
    const std::string name = GetPathFileName(path);
    RemoveName(name);
    if (!IsRoadFile(name))
        return;
    std::vector<std::string> templates;
    GetRoadTemplateFiles(path, templates);
    for (const std::string& file : templates)
        RemoveName(GetPathFileName(file));
}
