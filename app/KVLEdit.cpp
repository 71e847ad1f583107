// KVLEdit, the companion program that takes reports and text files from Morvel and shows them
// in the desktop's editor for rich text.
//
//   KVLEdit /mem            takes the text from Morvel's shared block, tells Morvel it has it,
//                           saves it as a .rtf file and opens that
//   KVLEdit <file> [/TEXT]  opens the file
//   KVLEdit /p <file>       opens the file to be printed from there
//   KVLEdit                 opens an empty rich-text document

#include "platform/NamedSemaphore.h"
#include "platform/ProcessLaunch.h"
#include "platform/SharedMemory.h"
#include "shell/KVLEditHandoff.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "KVLEdit: %s\n", message.c_str());
    return 1;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Saves the text as a .rtf file in the temporary folder and opens that.
int OpenAsRichText(const std::string& text)
{
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    std::string path = (folder / "KVLEdit-XXXXXX.rtf").string();
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0)
        return Fail("cannot make a file for the text: " + std::string(std::strerror(errno)));
    const bool written = WriteAll(fd, text.data(), text.size());
    if (::close(fd) != 0 || !written) {
        ::unlink(path.c_str());
        return Fail("cannot write " + path);
    }
    if (!OpenWithDesktop(path))
        return Fail("cannot open " + path + " (is xdg-open installed?)");
    return 0;
}

int TakeSharedText()
{
    std::string text;
    {
        CSharedMemory block;
        if (!block.OpenExisting(GetKVLEditSharedMemoryName()))
            return Fail("there is no text waiting from Morvel");
        const char* data = static_cast<const char*>(block.Data());
        // The text ends at its NUL, never beyond the block.
        const void* nul = std::memchr(data, '\0', block.Size());
        text.assign(data, nul != nullptr ? static_cast<const char*>(nul) - data : block.Size());
    }
    CNamedSemaphore done;
    if (done.OpenExisting(GetKVLEditDoneEventName()))
        done.Post();
    return OpenAsRichText(text);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string file;
    bool mem = false;
    for (const std::string& arg : args) {
        if (arg == "/mem")
            mem = true;
        else if (arg == "/TEXT" || arg == "/p")
            continue;
        else if (file.empty())
            file = arg;
    }
    if (mem)
        return TakeSharedText();
    if (file.empty())
        return OpenAsRichText("{\\rtf1\\ansi\\deff0\n}\n");
    if (::access(file.c_str(), R_OK) != 0)
        return Fail("cannot read " + file);
    // Waits for the opener, so that Morvel, which watches this program, learns when the desktop's
    // program for the file fails.
    CChildProcess opener;
    if (!opener.Start({"xdg-open", file}))
        return Fail("cannot open " + file + " (is xdg-open installed?)");
    int status = 0;
    while (!opener.WaitForExit(60000, &status)) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Fail("the desktop's program could not open " + file);
    return 0;
}
