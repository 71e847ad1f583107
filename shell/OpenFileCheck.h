#pragma once

#include <string>

// The message for a file the program cannot open as a job: the usual first line, then why: the
// kinds of file it opens, and what the file's lines are (the first line that is not raw data, or
// that they all are, so a renamed copy would open). The file is only read.
std::string NotAJobFileMessage(const std::string& path);
