#pragma once

#include <string>

// The default job and backup folders: the profile's "File" entries, else "Morvel Jobs/" and
// "Morvel Backups/" under the documents folder; made when missing, with a trailing separator.
// A stored folder that cannot be made gives the default. Setting one keeps only a folder that exists.
bool GetDefaultJobFolder(std::string& folder);
void SetDefaultJobFolder(const std::string& folder);
bool GetDefaultBackupFolder(std::string& folder);
void SetDefaultBackupFolder(const std::string& folder);
