#include "shell/OpenFileCheck.h"

#include "TestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using morvel::test::TempDir;
using morvel::test::WriteAllText;
using testing::EndsWith;
using testing::StartsWith;

// A file that is not a job says why: what the program opens, and the first line that is not raw
// data, or that every line is.
TEST(OpenFileCheck, TheMessageSaysWhyAndWhere)
{
    TempDir dir;
    const std::string head = " does not appear to be a valid file.\n\nMorvel opens job files (.Mvj) and raw data files (.Mvr)";
    const struct {
        const char* name;
        std::string content; // empty: no file
        std::string ending;
    } cases[] = {
        {"survey.raw", "CO,Nikon RAW data format V2.00\r\n\r\nST,1,2,1.5,0,0\r\nSS,3,1.5,10,0,90,t,\r\n",
         "; this is a .raw file.\nIts lines read as raw data: a copy with the extension .Mvr opens as a job's raw data."},
        {"dtm.raw", "CO,x\nST,1,2,1.5,0,0\nPT 1 2 3\n", "; this is a .raw file.\nLine 3 is not raw data: PT 1 2 3"},
        {"long.raw", std::string(100, 'Z') + "\n", "\nLine 1 is not raw data: " + std::string(80, 'Z') + "..."},
        {"README", "text\n", "; this file has no extension.\nLine 1 is not raw data: text"},
        {"missing.raw", "", "; this is a .raw file."},
        {"empty.txt", "\n\n", "; this is a .txt file."},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        if (!c.content.empty())
            WriteAllText(path, c.content);
        const std::string message = NotAJobFileMessage(path);
        EXPECT_THAT(message, StartsWith(path + head)) << c.name;
        EXPECT_THAT(message, EndsWith(c.ending)) << c.name;
    }
}
