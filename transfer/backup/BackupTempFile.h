#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Temporary files beside their target, so that the final rename stays on one file system and
// replaces the target in one step.

// Creates a new empty file "<folder>/.morvel-XXXXXX.tmp" with the permissions a new file gets
// under the user's umask. Its descriptor, or -1 (path then empty).
int CreateSiblingTempFile(const std::string& folder, std::string& path);
// Writes the bytes to the descriptor and closes it; false when any write or the close failed.
bool WriteAndCloseFile(int fd, const uint8_t* data, size_t length);
// The folder text with one trailing '/' ("./" for an empty text); a trailing '\' counts as one.
std::string FolderWithSeparator(const std::string& folder);
