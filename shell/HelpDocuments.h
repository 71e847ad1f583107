#pragma once

#include <string>

inline constexpr const char* ManualFileName = "MorvelManual.pdf";
inline constexpr const char* GettingStartedFileName = "MorvelGettingStarted.pdf";

// Opens a help document that lies beside the program with the desktop's viewer. A missing
// document says "'<full path>' not found." with the stop icon and opens nothing. False when it
// was not opened.
bool OpenHelpDocument(const std::string& fileName);
