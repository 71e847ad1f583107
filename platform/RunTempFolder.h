#pragma once

#include <string>

// A folder of this run's own under the system temporary folder, for files handed to other
// programs (reports for the desktop's editor). Made at first use; its path ends with '/', or is
// empty when it cannot be made. Removed with everything in it by RemoveRunTempFolder, which the
// program calls as it exits, so no report file outlives the run that wrote it.
std::string GetRunTempFolder();
void RemoveRunTempFolder();
