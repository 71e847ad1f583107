#pragma once

#include <string>

// Folder of the program file, with a trailing '/'.
std::string GetExecutableFolder();

// Where the files the program keeps beside itself live (the transfer log, the colour maps, the
// temporary transfer folder): the program's folder while it is writable, otherwise, as for an
// installed program, $XDG_DATA_HOME/Morvel/ (default ~/.local/share/Morvel/), created on demand.
// Always ends with '/'.
std::string GetProgramDataFolder();

// Tests and special set-ups may fix the folder; an empty text returns to the rule above.
void SetProgramDataFolderOverride(const std::string& folder);

// The instruments' default transfer folder, ~/KVL_DAT/.
std::string GetDefaultTransferFolder();

// The user's home folder with a trailing '/', "/" when it is unknown.
std::string GetHomeFolder();

// The user's documents folder with a trailing '/': XDG_DOCUMENTS_DIR from
// $XDG_CONFIG_HOME/user-dirs.dirs (or the environment), else ~/Documents. Nothing is created.
std::string GetDocumentsFolder();

// The user's desktop folder with a trailing '/': XDG_DESKTOP_DIR from user-dirs.dirs, else
// ~/Desktop. Nothing is created.
std::string GetDesktopFolder();

// The documents folder, created when missing; the program data folder when it cannot be made.
// True when the folder returned exists.
bool GetSpecialFolderPath(std::string& folder);
