#pragma once

#include <string>
#include <string_view>

// Writes the bytes to a temporary file in the target's folder and renames it over the target,
// so that a failed or interrupted write leaves the old file whole. The file keeps the
// permissions of the one it replaces; a new one gets those the user's umask allows. False when
// any step failed (nothing is left behind then); errno tells why.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
