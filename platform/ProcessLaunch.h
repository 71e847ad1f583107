#pragma once

#include <string>
#include <vector>

// Starts a program found on PATH with the argument vector (argv[0] names the program), in the
// working folder when one is given, without a shell and without waiting for it to end. False when
// the program could not be started.
bool LaunchProcess(const std::vector<std::string>& argv, const std::string& workingFolder = std::string());

// Opens a document, web page or mail address with the desktop's program for it (xdg-open).
bool OpenWithDesktop(const std::string& target, const std::string& workingFolder = std::string());
