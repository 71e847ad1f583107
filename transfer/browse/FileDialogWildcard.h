#pragma once

#include <string>

// The toolkit's wildcard for one of the file dialog filters ("description|pattern|...||"): the
// closing "||" dropped, empty patterns dropped, "*.*" as "*" (on Linux a name need not hold a
// dot), and each pattern followed by a copy that ignores letter case, so "*.Mvj" also lists
// "a.MVJ" written by another machine. The first pattern of a pair stays as written, since the
// save dialog takes its extension from it.
std::string MakeFileDialogWildcard(const std::string& filter);
