#include "shell/KVLEditHandoff.h"

#include "core/ProgramHelpers.h"
#include "core/TextEncoding.h"
#include "core/TextUtil.h"
#include "core/WideText.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "platform/NamedSemaphore.h"
#include "platform/ProcessLaunch.h"
#include "platform/RunTempFolder.h"
#include "platform/SharedMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <strings.h>

namespace {

const char* const kCouldNotStart = "KVLEdit could not be started.";

std::string& PathOverride()
{
    static std::string path;
    return path;
}

std::string WithIpcSuffix(const char* base)
{
    std::string name = base;
    const char* suffix = std::getenv("MORVEL_IPC_NAME");
    if (suffix != nullptr && *suffix != '\0') {
        name += '.';
        // Names of shared objects hold no further '/'.
        for (const char* p = suffix; *p != '\0'; ++p)
            name += *p == '/' ? '_' : *p;
    }
    return name;
}

bool CouldNotStart()
{
    ShowMessageBoxFS(kCouldNotStart, MB_OK);
    return false;
}

bool TellsOfRtf(const std::vector<std::string>& arguments)
{
    // With nothing to open the editor opens an empty rich-text document.
    if (arguments.empty())
        return true;
    for (const std::string& a : arguments)
        if (a.size() > 4 && strcasecmp(a.c_str() + a.size() - 4, ".rtf") == 0)
            return true;
    return false;
}

// True when xdg-open is there and, where xdg-mime can be asked, it names a program for one of
// the types. Without xdg-mime to ask, the opener is trusted.
bool DesktopHasProgramFor(const std::vector<std::string>& types)
{
    if (!FindProgramOnPath("xdg-open"))
        return false;
    if (!FindProgramOnPath("xdg-mime"))
        return true;
    for (const std::string& type : types) {
        std::string answer;
        if (RunForOutput({"xdg-mime", "query", "default", type}, answer) &&
            answer.find_first_not_of(" \t\r\n") != std::string::npos)
            return true;
    }
    return false;
}

bool NoRtfProgram()
{
    ShowMessageBoxFS(NoRtfProgramMessage, MB_OK | MB_ICONERROR);
    return false;
}

// The editor's temporary files go where the program removes them at its exit.
std::vector<std::string> EditorEnvironment()
{
    const std::string folder = GetRunTempFolder();
    if (folder.empty())
        return {};
    return {"TMPDIR=" + folder};
}

} // namespace

bool DesktopOpensRtf() { return DesktopHasProgramFor({"application/rtf", "text/rtf"}); }

bool DesktopOpensFile(const std::string& path)
{
    std::string type;
    if (!RunForOutput({"xdg-mime", "query", "filetype", path}, type))
        type.clear();
    type = textutil::Trim(type);
    std::vector<std::string> types;
    if (!type.empty())
        types.push_back(type);
    // A desktop opens every kind of text with its text editor.
    if (type.empty() || (type.rfind("text/", 0) == 0 && type != "text/plain"))
        types.push_back("text/plain");
    return DesktopHasProgramFor(types);
}

std::string ViewableTextRestLine(size_t limit)
{
    constexpr size_t MB = 1024 * 1024;
    const std::string shown = limit >= MB && limit % MB == 0 ? std::to_string(limit / MB) + " MB"
                                                             : std::to_string(limit) + " bytes";
    return "(Only the first " + shown + " of this file are shown; the rest is left out.)";
}

namespace {

// UTF-16 with its byte-order mark, as Windows editors save "Unicode" text. False when it holds a
// zero unit: then it is no text.
bool DecodeUtf16(std::string_view bytes, bool bigEndian, bool cut, std::string& text)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t k = 0; k < units.size(); ++k) {
        const auto hi = uint8_t(bytes[2 * k + (bigEndian ? 0 : 1)]);
        const auto lo = uint8_t(bytes[2 * k + (bigEndian ? 1 : 0)]);
        units[k] = char16_t((hi << 8) | lo);
    }
    if (units.find(u'\0') != std::u16string::npos)
        return false;
    // A pair split by the cut is not half a character.
    if (cut && !units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF)
        units.pop_back();
    text = Utf16ToUtf8(units);
    return true;
}

} // namespace

bool LoadViewableText(const std::string& path, std::string& text, std::string& why, size_t limit)
{
    text.clear();
    why.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        why = "it cannot be read (" + std::string(std::strerror(errno)) + ").";
        return false;
    }
    // Only what is shown is read, so a huge file costs no more than a small one.
    std::string bytes(limit, '\0');
    file.read(bytes.data(), std::streamsize(limit));
    bytes.resize(size_t(file.gcount()));
    if (file.bad()) {
        why = "it cannot be read.";
        return false;
    }
    const bool cut = file && file.peek() != std::char_traits<char>::eof();
    const std::string_view view(bytes);
    const bool utf16 = view.substr(0, 2) == "\xff\xfe" || view.substr(0, 2) == "\xfe\xff";
    if (utf16 ? !DecodeUtf16(view.substr(2), view[0] == '\xfe', cut, text) : bytes.find('\0') != std::string::npos) {
        why = "it is not a text file.";
        return false;
    }
    if (!utf16) {
        std::string_view body = view.substr(0, 3) == "\xef\xbb\xbf" ? view.substr(3) : view;
        // A character of UTF-8 split by the cut is dropped rather than turning the whole text
        // into Windows-1252.
        if (cut && !IsValidUtf8(body))
            for (size_t drop = 1; drop <= 3 && drop < body.size(); ++drop)
                if (IsValidUtf8(body.substr(0, body.size() - drop))) {
                    body.remove_suffix(drop);
                    break;
                }
        text = DecodeExternalText(body);
    }
    if (text.empty()) {
        text = ViewableTextEmptyLine;
    } else if (cut) {
        // Whole lines, unless the first line alone is longer than the limit.
        const size_t lastLineEnd = text.find_last_of("\r\n");
        if (lastLineEnd != std::string::npos)
            text.erase(lastLineEnd + 1);
        else
            text += '\n';
        text += ViewableTextRestLine(limit);
    }
    return true;
}

std::string ViewableLines(std::string_view text, size_t length)
{
    std::string lines;
    lines.reserve(text.size() + text.size() / std::max<size_t>(length, 1) + 1);
    size_t characters = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
            lines += '\n';
            characters = 0;
            continue;
        }
        // Breaks go before the first byte of a UTF-8 character, never inside one.
        if ((uint8_t(c) & 0xC0) != 0x80) {
            if (characters == length && length > 0) {
                lines += '\n';
                characters = 0;
            }
            ++characters;
        }
        lines += c;
    }
    return lines;
}

std::string GetKVLEditSharedMemoryName() { return WithIpcSuffix("/KVLEditSharedMemory"); }
std::string GetKVLEditDoneEventName() { return WithIpcSuffix("/KVLEditSharedMemoryDoneEvent"); }

std::string GetKVLEditPath()
{
    if (!PathOverride().empty())
        return PathOverride();
    return GetExecutableFolder() + "KVLEdit";
}

void SetKVLEditPathOverride(const std::string& path) { PathOverride() = path; }

bool StartKVLEdit(const std::vector<std::string>& arguments, CChildProcess* started)
{
    if (TellsOfRtf(arguments) && !DesktopOpensRtf())
        return NoRtfProgram();
    std::vector<std::string> argv{GetKVLEditPath()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CChildProcess editor;
    CChildProcess& child = started != nullptr ? *started : editor;
    if (!child.Start(argv, std::string(), EditorEnvironment()))
        return CouldNotStart();
    return true;
}

bool SendTextToKVLEdit(const std::string& text, int waitMilliseconds)
{
    if (!DesktopOpensRtf())
        return NoRtfProgram();
    const std::string blockName = GetKVLEditSharedMemoryName();
    CSharedMemory block;
    CSharedMemory::CreateResult created = block.Create(blockName, text.size() + 1);
    if (created == CSharedMemory::CreateResult::AlreadyExists &&
        CSharedMemory::AgeSeconds(blockName) > KVLEditStaleBlockSeconds) {
        // Left by a program that crashed during a hand-off: nobody will read it any more.
        CSharedMemory::Remove(blockName);
        created = block.Create(blockName, text.size() + 1);
    }
    if (created != CSharedMemory::CreateResult::Created)
        return CouldNotStart();
    std::memcpy(block.Data(), text.c_str(), text.size() + 1);

    CNamedSemaphore done;
    if (!done.Create(GetKVLEditDoneEventName()))
        return CouldNotStart();

    CChildProcess editor;
    if (!editor.Start({GetKVLEditPath(), "/mem"}, std::string(), EditorEnvironment()))
        return CouldNotStart();

    // Wait in short steps so that an editor that ends without taking the text is noticed at
    // once rather than after the whole wait.
    int waited = 0;
    for (;;) {
        const int step = std::min(50, std::max(0, waitMilliseconds - waited));
        if (done.Wait(step) == CNamedSemaphore::WaitResult::Signalled)
            return true;
        waited += step;
        if (editor.HasExited()) {
            if (done.Wait(0) == CNamedSemaphore::WaitResult::Signalled)
                return true;
            return CouldNotStart();
        }
        if (waited >= waitMilliseconds)
            return true;
    }
}

std::string PathInActiveJobFolder(const std::string& path)
{
    std::string full = path;
    if (!full.empty() && full[0] != '/') {
        std::string folder = GetActiveJobFolder();
        if (!folder.empty() && folder.back() != '/')
            folder += '/';
        full = folder + full;
    }
    return full;
}

bool OpenFileInKVLEdit(const std::string& path, const std::string& option, CChildProcess* started)
{
    const std::string full = PathInActiveJobFolder(path);
    std::vector<std::string> arguments{full};
    if (!option.empty())
        arguments.push_back(option);
    return StartKVLEdit(arguments, started);
}
