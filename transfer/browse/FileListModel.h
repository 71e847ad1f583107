#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CProfile;

// One row of a folder listing.
struct CFileInfo
{
    std::string name; // without folder
    bool isFolder = false;
    uint64_t size = 0;          // files only
    int64_t lastWriteTime = 0;  // seconds since the epoch; 0 when not known
    std::string typeName;       // filled when the folder is read, so sorting by type asks no one
};

// Content modes of the file list.
inline constexpr int32_t FileListFoldersAndFiles = 0;
inline constexpr int32_t FileListFilesOnly = 1;

// "%m/%d/%y %I:%M %p" in local time with English AM/PM whatever the locale; empty for 0.
std::string FormatListTime(int64_t time);

// Whether a file name passes an extension filter: an empty filter or "*" passes everything,
// otherwise the text after the name's last '.' must equal the filter ignoring case.
bool PassesExtensionFilter(const std::string& name, const std::string& filter);

// Type names from the desktop's shared MIME database: the description of the type registered
// for an extension, looked up once per extension and kept.
class CFileTypeNames
{
public:
    // mimeFolder holds "globs2" and "<media>/<subtype>.xml" (normally /usr/share/mime).
    explicit CFileTypeNames(std::string mimeFolder = "/usr/share/mime");

    // A folder's description; for a file, the description of its extension, else the extension
    // in capitals and " File"; without an extension, empty.
    std::string GetTypeName(const std::string& name, bool isFolder);

    // The icon names the desktop gives the type of a name, the type's own first, then its
    // generic one ("text-plain", "text-x-generic"); a folder's type is inode/directory. Empty
    // when the type is not known.
    const std::vector<std::string>& GetIconNames(const std::string& name, bool isFolder);

    // The one table the lists share.
    static CFileTypeNames& Shared();

private:
    void LoadGlobs();
    void LoadIconTables();
    std::string Describe(const std::string& mimeType);
    std::vector<std::string> IconNamesOfType(const std::string& mimeType) const;

    std::string m_folder;
    bool m_globsLoaded = false;
    std::map<std::string, std::string> m_typeOfExtension; // lower-case extension -> MIME type
    std::map<std::string, std::string> m_nameOfExtension; // cache of answers
    std::string m_folderName;
    bool m_folderNameKnown = false;
    bool m_iconTablesLoaded = false;
    std::map<std::string, std::string> m_iconOfType, m_genericIconOfType;
    std::map<std::string, std::vector<std::string>> m_iconsOfExtension; // "/" for folders
};

// A list's sort: the sort column and one ascending flag per column, kept in the profile as
// "LSortColumn" and "LSortOrder0" to "LSortOrder3".
struct CListSortState
{
    int32_t column = 0;
    std::array<bool, 4> ascending{true, true, true, true};

    void Load(CProfile& profile, const char* section);
    void Save(CProfile& profile, const char* section) const;
    // A click on the sort column turns its order; a click on another makes it the sort column,
    // ascending.
    void ClickColumn(int32_t clicked);
    bool IsAscending() const { return ascending[size_t(column)]; }
};

// The row order of the file list: folders first and by name, files by the sort column.
class CFileInfoOrder
{
public:
    explicit CFileInfoOrder(const CListSortState& sort) : m_column(sort.column), m_ascending(sort.IsAscending()) {}
    // Negative, zero or positive.
    int Compare(const CFileInfo& a, const CFileInfo& b) const;
    bool operator()(const CFileInfo* a, const CFileInfo* b) const { return Compare(*a, *b) < 0; }

private:
    int32_t m_column;
    bool m_ascending;
};

void SortFileRows(std::vector<CFileInfo*>& rows, const CListSortState& sort);

// Reads a folder: sub-folders (content mode 0) and the files that pass the filter, "." and ".."
// left out, type names filled from the table. False, with the reason, when the folder cannot
// be read; the rows are then empty.
bool ReadFolder(const std::string& folder, int32_t contentMode, const std::string& filter, CFileTypeNames& types,
                std::vector<CFileInfo>& rows, std::string& error);
// One entry of a folder, as ReadFolder lists it; false when it cannot be read.
bool ReadFolderEntry(const std::string& folder, const std::string& name, CFileTypeNames& types, CFileInfo& info);

// The folder text with a trailing '/'.
std::string WithTrailingSlash(std::string folder);
// One level up; "/" stays "/".
std::string GetParentFolder(const std::string& folder);

// "New Folder", or when the listed folders hold names beginning so, "New Folder (n)" from their
// count on, the first n that is free in the folder.
std::string MakeNewFolderName(const std::string& folder, const std::vector<std::string>& listedFolders);

enum class NewFolderRename
{
    Unchanged, // same name in other capitals, or cancelled: the row keeps its name
    Refused,   // empty, not a plain name, taken, or the system refused; the folder keeps its name
    Renamed,
};
// Gives the new folder the edited name (trimmed). The folder is renamed in one step that never
// replaces an existing entry, so what was put into it meanwhile keeps it and another folder of
// the new name is left alone.
NewFolderRename RenameNewFolder(const std::string& folder, const std::string& oldName, const std::string& edited,
                                std::string& newName);

// Files added to the job's folder through a file list (a road file brings its templates).
class CAddedFiles
{
public:
    // Copies the file into the job folder unless it lies there (an existing copy is replaced),
    // and adds its name, and a road file's template names, once each. False, with the reason,
    // when a copy failed; names already added stay.
    bool AddFile(const std::string& path, const std::string& jobFolder, std::string& error);
    void RemoveFile(const std::string& path);
    const std::vector<std::string>& GetNames() const { return m_names; }

private:
    void AddName(const std::string& name);
    void RemoveName(const std::string& name);

    std::vector<std::string> m_names;
};
