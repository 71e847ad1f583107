#pragma once

#include <cstdint>
#include <string>

// Path texts are split at the last separator ('/' or, in texts stored by older versions, '\') and at
// the last '.' that follows it. Folder parts keep their trailing separator. Nothing here resolves
// relative paths or rewrites separators.

bool IsPathSeparator(char c);

// File-system tests. A folder path may end with one separator.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// True when both name one file on disk: the same file through links or another spelling on a disk
// that ignores letter case, or, for files not there yet, the same full path letter for letter.
bool IsSameFile(const std::string& a, const std::string& b);

// Read-only means no write permission for anyone; clearing gives the owner write permission back.
// Both do nothing unless the path is an existing file.
void ClearReadOnlyAttribute(const std::string& path);
void SetReadOnlyAttribute(const std::string& path);

// Linux names have no separate short form, so an existing or creatable file is its own short name.
// A file made only for the question is removed again.
bool IsShortFileName(const std::string& path);

std::string GetPathFileName(const std::string& path);
std::string GetPathFolder(const std::string& path);        // whole text when there is no separator
std::string GetPathFolderOrEmpty(const std::string& path); // empty text when there is no separator
std::string RemovePathExtension(const std::string& path);
std::string GetPathFileTitle(const std::string& path);
// Without a '.' in the file name, the whole file name comes back (callers compare it to an extension).
std::string GetPathExtension(const std::string& path);
std::string GetPathExtensionWithDot(const std::string& path);

// Replaces the extension (given with or without its dot); an empty extension changes nothing at all.
void ChangePathExtension(std::string& path, const std::string& extension);

// Makes the folder and its missing parents. False when the folder was not made by this call,
// so an existing folder gives false.
bool CreateFolderTree(const std::string& path);

// Renames the file to the first free name "<path without extension>.NNN<suffix>" (001 to 999).
// An existing file is never replaced, even if it appears between the search and the rename.
bool RenameToNumberedBackup(const std::string& path, std::string& newPath, const std::string& suffix);

// "1023 bytes", "1KB", "1,024KB": whole kilobytes rounded at half a kilobyte, grouped by thousands.
std::string FormatFileSizeKB(uint64_t size);
