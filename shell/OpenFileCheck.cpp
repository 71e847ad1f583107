#include "shell/OpenFileCheck.h"

#include "core/PathHelpers.h"
#include "rawdata/records/RawDataRecord.h"

#include <fstream>

namespace {

constexpr std::size_t ShownLineLength = 80;
constexpr std::size_t ReadLimit = 4 << 20;

} // namespace

std::string NotAJobFileMessage(const std::string& path)
{
    std::string message = path + " does not appear to be a valid file.\n\n";
    const std::string extension = GetPathExtension(path);
    message += "Morvel opens job files (.Mvj) and raw data files (.Mvr)";
    message += extension == GetPathFileName(path) ? "; this file has no extension." : "; this is a ." + extension + " file.";

    // Only the start of a large file is read: enough to find a line that is not raw data.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return message;
    std::string text(ReadLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    const bool whole = in.gcount() < static_cast<std::streamsize>(ReadLimit) || in.peek() == EOF;
    int lineNumber = 0;
    int rawLines = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        const bool complete = end != std::string::npos;
        if (!complete)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!complete && !whole)
            break; // cut by the read limit
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        CNikonRawDataRecord record(line);
        if (!record.SplitFields()) {
            if (line.size() > ShownLineLength)
                line = line.substr(0, ShownLineLength) + "...";
            return message + "\nLine " + std::to_string(lineNumber) + " is not raw data: " + line;
        }
        ++rawLines;
    }
    if (whole && rawLines > 0)
        message += "\nIts lines read as raw data: a copy with the extension .Mvr opens as a job's raw data.";
    return message;
}
