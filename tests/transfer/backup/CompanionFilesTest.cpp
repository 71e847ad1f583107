#include "TestUtil.h"

#include "core/LittleEndian.h"
#include "core/Parser.h"
#include "core/WideText.h"
#include "model/JobFile.h"
#include "transfer/backup/CompanionFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace morvel::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> NamePayload(size_t size, const std::string& name)
{
    std::vector<uint8_t> payload(size);
    StoreUtf16Field(payload.data(), size / 2, name);
    return payload;
}

// A version 5 job with image (18) and road (10) records, and a point record between them.
void WriteJobWithRecords(const std::string& path, const std::vector<std::string>& images,
                         const std::vector<std::string>& roads)
{
    CJobFile job;
    ASSERT_TRUE(job.CreateVersion(path.c_str(), 5));
    ASSERT_TRUE(job.SeekToEnd());
    for (const std::string& image : images)
        ASSERT_TRUE(job.WriteRecord18(NamePayload(542, image).data()));
    std::vector<uint8_t> point(100);
    ASSERT_TRUE(job.WritePointRecord(point.data()));
    for (const std::string& road : roads)
        ASSERT_TRUE(job.WriteRecord10(NamePayload(88, road).data()));
    ASSERT_TRUE(job.Close());
}

} // namespace

TEST(CompanionFiles, LinkedNameFromEitherBlock)
{
    TempDir dir;
    std::vector<std::string> files {"stale"};
    {
        CJobFile job;
        ASSERT_TRUE(job.CreateVersion(dir.file("old.job").c_str(), 3));
        ASSERT_TRUE(job.Close());
    }
    EXPECT_TRUE(GetJobCompanionFiles(dir.file("old.job"), files));
    EXPECT_THAT(files, IsEmpty());

    // The older block begins after the 34-byte file header.
    auto bytes = ReadAllBytes(dir.file("old.job"));
    StoreUtf16Field(bytes.data() + 34 + 1108, 260, "Linked.Rv7");
    WriteAllBytes(dir.file("old.job"), bytes);
    EXPECT_TRUE(GetJobCompanionFiles(dir.file("old.job"), files));
    EXPECT_THAT(files, ElementsAre("Linked.Rv7"));

    // Both blocks hold the name in 260 UTF-16 units: a name that fills them is read whole, and a
    // field without a terminator is still read within it and cut to 260 bytes.
    std::string full;
    for (int i = 0; i < 258; ++i)
        full += char('a' + i % 26);
    full += "\u00e9"; // two bytes, one unit
    const struct
    {
        uint16_t version;
        size_t field; // in the file
    } blocks[] = {{3, 34 + 1108}, {4, 34 + 1108}, {5, 600 + 32}};
    std::string name;
    for (const auto& block : blocks) {
        SCOPED_TRACE(block.version);
        const std::string path = dir.file("v.job");
        {
            CJobFile job;
            ASSERT_TRUE(job.CreateVersion(path.c_str(), block.version == 5 ? 5 : 3));
            ASSERT_TRUE(job.Close());
        }
        auto bytes = ReadAllBytes(path);
        PutU16LE(bytes.data() + 28, block.version);
        StoreUtf16Field(bytes.data() + block.field, 261, full);
        WriteAllBytes(path, bytes);
        ASSERT_TRUE(ReadJobLinkedFileName(path, name));
        EXPECT_EQ(name, full);

        for (size_t i = 0; i < 600; i += 2)
            PutU16LE(bytes.data() + block.field + i, 'q');
        WriteAllBytes(path, bytes);
        ASSERT_TRUE(ReadJobLinkedFileName(path, name));
        EXPECT_EQ(name, std::string(260, 'q'));
    }

    EXPECT_FALSE(ReadJobLinkedFileName(dir.file("missing.job"), name));
    WriteAllText(dir.file("text.job"), "not a job");
    EXPECT_FALSE(ReadJobLinkedFileName(dir.file("text.job"), name));
    EXPECT_TRUE(GetJobCompanionFiles(dir.file("text.job"), files));
    EXPECT_THAT(files, IsEmpty());
}

TEST(CompanionFiles, ImagesWithTheirWorldFilesAndRoads)
{
    TempDir dir;
    WriteJobWithRecords(dir.file("j.job"), {"P1.TIF", "p2.tif", "photo.jpg"}, {"MAINROAD", "LONGROADS"});
    WriteAllText(dir.file("P1.TFW"), "world");
    std::vector<std::string> files;
    ASSERT_TRUE(GetJobImageFiles(dir.file("j.job"), files));
    EXPECT_THAT(files, ElementsAre("P1.TIF", "P1.TFW", "p2.tif", "photo.jpg"));
    files.clear();
    ASSERT_TRUE(GetJobRoadFiles(dir.file("j.job"), files));
    EXPECT_THAT(files, ElementsAre("MAINROAD.rg7", "LONGROAD.rg7"));

    // An image record cut short by the end of the file fails the walk.
    WriteJobWithRecords(dir.file("cut.job"), {"A.TIF"}, {});
    auto cut = ReadAllBytes(dir.file("cut.job"));
    cut.resize(cut.size() - 200);
    WriteAllBytes(dir.file("cut.job"), cut);
    files.clear();
    EXPECT_FALSE(GetJobImageFiles(dir.file("cut.job"), files));
    EXPECT_FALSE(GetJobImageFiles(dir.file("none.job"), files));
}

TEST(CompanionFiles, RoadTemplates)
{
    TempDir dir;
    const std::string plus(50, '+');
    struct Case
    {
        const char* name;
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"same template on both sides once",
         "ROAD\nXR" + plus + "\nRT,1,0.5,T1\nRT,2,10,T1\n" + plus + "\nXL" + plus + "\nLT,1,0.5,t1\n",
         {"T1.TN7"}},
        {"no right marker", "RT,1,0.5,T1\nXL" + plus + "\nLT,1,0,LEFT\n", {"LEFT.TN7"}},
        {"right side ends at the plus line", "XR" + plus + "\nRT,1,0,A\n" + plus + "\nRT,1,0,B\n", {"A.TN7"}},
        {"CR LF lines", "XR" + plus + "\r\nRT,1,0,A\r\nRT,1,0,B\r\n", {"A.TN7", "B.TN7"}},
        {"unreadable references are skipped", "XR" + plus + "\nRT,x,0,A\nRT,1,y,B\nRT,1,2\nRT,1,2,C\n", {"C.TN7"}},
        {"left tags on the right side are not read", "XR" + plus + "\nLT,1,0,A\n", {}},
        {"a right side ended at once", "XR" + plus + plus + "\nRT,1,0,A\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAllText(dir.file("r.rg7"), c.text);
        std::vector<std::string> files;
        ASSERT_TRUE(GetRoadTemplateFiles(dir.file("r.rg7"), files));
        EXPECT_EQ(files, c.expected);
    }
    std::vector<std::string> files {"a.TN7"};
    WriteAllText(dir.file("r.rg7"), "XR" + plus + "\nRT,1,0,A\n");
    ASSERT_TRUE(GetRoadTemplateFiles(dir.file("r.rg7"), files));
    EXPECT_THAT(files, ElementsAre("a.TN7"));
    WriteAllText(dir.file("empty.rg7"), "");
    EXPECT_FALSE(GetRoadTemplateFiles(dir.file("empty.rg7"), files));
    EXPECT_FALSE(GetRoadTemplateFiles(dir.file("missing.rg7"), files));
}

TEST(CompanionFiles, ComparePaths)
{
    TempDir dir;
    WriteAllText(dir.file("a.txt"), "a");
    fs::create_directory(dir.file("sub"));
    EXPECT_EQ(ComparePaths("/x/Y.txt", "/X/y.TXT"), 0);
    EXPECT_EQ(ComparePaths(dir.file("a.txt"), dir.file("sub/../a.txt")), 0);
    EXPECT_LT(ComparePaths("/x/a", "/x/b"), 0);
    EXPECT_GT(ComparePaths("/x/b", "/x/a"), 0);
    EXPECT_LT(ComparePaths("", "/x/a"), 0);
}

TEST(CompanionFiles, ReadQuotedField)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::string delimiters;
        bool skip;
        bool ok;
        std::string field;
        bool unquoted;
        std::string rest;
    };
    const Case cases[] = {
        {"quoted then more", "\"abc\",next", ",", false, true, "abc", false, "next"},
        {"blanks before the delimiter", "  \"a b\"  ,next", ",", false, true, "a b", false, "next"},
        {"quote inside", "\"say \"hi\"\",x", ",", false, true, "say \"hi\"", false, "x"},
        {"delimiter inside the quotes", "\"a,b\",c", ",", false, true, "a,b", false, "c"},
        {"last field", "\"end\"  ", ",", false, true, "end", false, ""},
        {"last field without closing quote", "\"end", ",", false, false, "", false, ""},
        {"delimiters but none closes", "\"a,b", ",", false, false, "", false, ""},
        {"unquoted empty", " ,rest", ",", false, true, "", true, "rest"},
        {"unquoted empty at the end", "   ", ",", false, false, "", false, ""},
        {"unquoted text", "abc,rest", ",", false, false, "", true, ""},
        {"skip blanks after a blank delimiter", "\"a\" ,b", " ,", true, true, "a", false, "b"},
        {"no skip", "\"a\" ,b", " ,", false, true, "a", false, ",b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuotedFieldReader reader;
        reader.text = c.text;
        reader.delimiters = c.delimiters;
        reader.skipDelimiterAfterBlanks = c.skip;
        std::string field = "stale";
        EXPECT_EQ(ReadQuotedField(reader, field), c.ok);
        if (c.ok) {
            EXPECT_EQ(field, c.field);
            EXPECT_EQ(reader.unquoted, c.unquoted);
            EXPECT_EQ(reader.text, c.rest);
        }
    }
    QuotedFieldReader trimmed;
    trimmed.text = "\"  padded  \"";
    trimmed.trimLeft = trimmed.trimRight = true;
    std::string field;
    ASSERT_TRUE(ReadQuotedField(trimmed, field));
    EXPECT_EQ(field, "padded");
    QuotedFieldReader throwing;
    throwing.text = "";
    throwing.throwOnError = true;
    EXPECT_THROW(ReadQuotedField(throwing, field), CUserException);
}

TEST(CompanionFiles, OpenWithShellRunsTheDesktopOpenerInTheFilesFolder)
{
    TempDir dir;
    const std::string bin = dir.file("bin");
    fs::create_directory(bin);
    const std::string log = dir.file("opened.txt");
    WriteAllText(bin + "/xdg-open", "#!/bin/sh\npwd > '" + log + ".part'\nprintf '%s\\n' \"$1\" >> '" + log +
                                        ".part'\nmv '" + log + ".part' '" + log + "'\n");
    fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
    fs::create_directory(dir.file("docs"));
    const std::string doc = dir.file("docs") + "/it's a file; $(x).txt";
    WriteAllText(doc, "x");

    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (bin + ":" + saved).c_str(), 1);
    const bool started = OpenWithShell(doc);
    setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(started);
    for (int i = 0; i < 500 && !fs::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(log));
    EXPECT_EQ(ReadAllText(log), fs::canonical(dir.file("docs")).string() + "\n" + doc + "\n");
}

TEST(CompanionFiles, SampleRoadFile)
{
    std::vector<std::string> files;
    ASSERT_TRUE(GetRoadTemplateFiles(TestDataPath("small_road.rg7"), files));
    EXPECT_THAT(files, ElementsAre("T1.TN7", "DITCH.TN7", "VERGE.TN7"));
}
