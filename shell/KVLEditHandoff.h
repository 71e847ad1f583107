#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CChildProcess;

// The companion editor "KVLEdit", which lies beside the program. A text goes to it through a
// shared block and a semaphore it posts once it has read the block; a file goes by name on its
// command line. The editor is always started from the program's folder, with an argument
// vector and no shell, so no text can become an option or a command.

// The names of the block and the semaphore: "/KVLEditSharedMemory" and
// "/KVLEditSharedMemoryDoneEvent", each followed by "." and MORVEL_IPC_NAME when that is set, so
// that programs started side by side by tests keep apart. The editor derives the same names.
std::string GetKVLEditSharedMemoryName();
std::string GetKVLEditDoneEventName();

// Where the editor is: the program's folder plus "KVLEdit", unless tests set another file.
std::string GetKVLEditPath();
void SetKVLEditPathOverride(const std::string& path);

// How long the hand-off waits for the editor to take the text.
inline constexpr int KVLEditWaitMilliseconds = 30000;
// A block older than this was left by a program that crashed; it is removed and the hand-off
// tried once more.
inline constexpr int KVLEditStaleBlockSeconds = 30;

// Said instead of starting the editor on rich text when the desktop has no program for it.
inline constexpr const char* NoRtfProgramMessage =
    "No program on this computer is set up to open rich text (.rtf) files, so the report cannot be shown.";

// False when the desktop surely has no program for rich text: no xdg-open, or xdg-mime knows
// none for application/rtf or text/rtf. Without xdg-mime to ask, the opener is trusted.
bool DesktopOpensRtf();
// The same for a file: the desktop's program for the file's type, or for plain text when the
// type is text or unknown.
bool DesktopOpensFile(const std::string& path);

// A file shown in the program's own viewer when the desktop has no program for it: its text,
// decoded as files from Windows and instruments are, or as UTF-16 when it starts with that
// byte-order mark. A text box freezes on many megabytes, so only the whole lines (ended by LF,
// CR LF or a lone CR) of the first `limit` bytes are shown, followed by a line that says the
// rest is left out; an empty file is shown as a line that says so. False with the sentence that
// says why it cannot be shown (it cannot be read, it is not text).
inline constexpr size_t ViewableTextLimit = 2u * 1024u * 1024u;
inline constexpr const char* ViewableTextEmptyLine = "(This file is empty.)";
std::string ViewableTextRestLine(size_t limit);
bool LoadViewableText(const std::string& path, std::string& text, std::string& why,
                      size_t limit = ViewableTextLimit);

// Measured with the viewer's font on GTK 3: a line of 250,000 characters draws and scrolls well;
// past about 260,000 (2^31 Pango units wide) it no longer scrolls, and at 1,000,000 its glyphs
// overlap. 10,000 leaves room for wide glyphs and large fonts and keeps any line of columns whole.
inline constexpr size_t ViewableLineLength = 10000;
// The text as the viewer's box shows it: every line end (LF, CR LF, a lone CR) as LF, and a line
// longer than `length` characters broken after each `length` of them, between characters. No
// character is dropped or changed.
std::string ViewableLines(std::string_view text, size_t length = ViewableLineLength);

// The editor writes the files it hands on into the run's own temporary folder, which goes when
// the program exits.

// Starts the editor with the arguments. "KVLEdit could not be started." when it cannot be. With
// `started` the caller keeps the editor to watch: given a file, it runs until the desktop's
// opener is done with it, and fails when the desktop's program cannot open it.
bool StartKVLEdit(const std::vector<std::string>& arguments, CChildProcess* started = nullptr);

// Hands the text to the editor: the text and a NUL in the block, the editor started with
// "/mem", then a wait of up to waitMilliseconds for its semaphore. Fails with "KVLEdit could not
// be started." when the block is in use, the editor cannot be started, or it ends without
// having taken the text. An editor still running when the time is up keeps it (true).
bool SendTextToKVLEdit(const std::string& text, int waitMilliseconds = KVLEditWaitMilliseconds);

// The path itself when absolute; else the path in the active job's folder.
std::string PathInActiveJobFolder(const std::string& path);

// Opens a file in the editor with an option such as "/TEXT"; a path without a folder is taken
// from the active job's folder.
bool OpenFileInKVLEdit(const std::string& path, const std::string& option, CChildProcess* started = nullptr);
