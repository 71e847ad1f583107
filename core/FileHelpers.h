#pragma once

#include <string>
#include <vector>

// A new empty file in the system temporary folder (else the current folder, else the home
// folder); its path, or the empty text after telling the user when no such file can be made.
std::string MakeTempFilePath();
// A new empty file "<folder>/XXXXXX.tmp"; its path, or the empty text after telling the user.
std::string MakeTempFileName(const std::string& folder);
// The same without telling anyone: on failure the empty text, with the system's error in `error`.
std::string MakeTempFileName(const std::string& folder, int& error);

// True, after telling the person, when jobPath is the open job's file (the same file on disk):
// a new job written there would overwrite the open job under it, and its next save would undo it.
bool RefuseOpenJob(const std::string& jobPath, const std::string& openJobPath);

// True when both files can be read and hold the same bytes. A file that cannot be read is
// reported to the user.
bool FilesHaveSameContents(const std::string& pathA, const std::string& pathB);

// Copies or moves files; the target is a folder (or, for a single copy, also a file name).
// An existing file is replaced only when the user agrees. True when every file was done.
bool ShellCopyFile(const std::string& source, const std::string& target);
bool ShellCopyFiles(const std::vector<std::string>& sources, const std::string& target);
bool ShellMoveFiles(const std::vector<std::string>& sources, const std::string& target);

// Sets up the working DXF colour maps "DxfIPCO.MAP" and "DxfOPCO.MAP" for a colour mode:
// 0 copies the 64-colour templates, 1 the 16-colour ones, 2 removes the working maps.
void PrepareDxfColorMaps(int colorMode);

// True when the XML parser the program reads its documents with works.
bool CheckXmlParserInstalled();
