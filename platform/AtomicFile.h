#pragma once

#include <string>
#include <string_view>

// Writes the bytes to a temporary file in the target's folder and renames it over the target,
// so that a failed or interrupted write leaves the old file whole. The file keeps the
// permissions of the one it replaces; a new one gets those the user's umask allows. False when
// any step failed (nothing is left behind then); errno tells why.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// Moves a finished file over its target so that a power cut soon after leaves the old file or
// the new one whole, never an empty one: the file is flushed to the disk before the rename and
// its folder after it. False, with errno, when the flush or the rename failed; the target is
// untouched then. Every write that stages a file beside its target ends with it.
bool RenameDurably(const std::string& from, const std::string& to);
