#include "platform/Profile.h"

#include "TestUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

// Writes half the content and then reports a failure, as a full disk would.
class FailingProfile : public CProfile
{
public:
    using CProfile::CProfile;
    bool fail = true;
    int writes = 0;

protected:
    bool WriteContent(int fd, const std::string& content) override
    {
        ++writes;
        if (!fail)
            return CProfile::WriteContent(fd, content);
        std::string half = content.substr(0, content.size() / 2);
        return ::write(fd, half.data(), half.size()) < 0 && false;
    }
};

} // namespace

TEST(Profile, MissingFileGivesDefaults)
{
    TempDir dir;
    CProfile profile(dir.path() / "sub" / "Morvel.ini");
    EXPECT_EQ(profile.GetProfileString("Transfer", "DosDir", "x"), "x");
    EXPECT_EQ(profile.GetProfileInt("Transfer", "Baud3", 9600), 9600);
    std::vector<uint8_t> data{1};
    EXPECT_FALSE(profile.GetProfileBinary("Print Settings", "DN", data));
    EXPECT_EQ(data, std::vector<uint8_t>{1});
}

TEST(Profile, WriteCreatesFolderAndReadsBackInAnotherInstance)
{
    TempDir dir;
    auto path = dir.path() / "a" / "b" / "Morvel.ini";
    {
        CProfile profile(path);
        ASSERT_TRUE(profile.WriteProfileString("Transfer", "DosDir", "/home/u/KVL_DAT/"));
        ASSERT_TRUE(profile.WriteProfileInt("Transfer", "Baud3", -4800));
        ASSERT_TRUE(profile.WriteProfileDouble("Morvel", "ScaleFactor", 0.9996));
        ASSERT_TRUE(profile.WriteProfileRect("Print Settings", "Margins", {1400, 1440, -1, 0}));
        ASSERT_TRUE(profile.WriteProfileBinary("Print Settings", "DN", {0x00, 0xff, 0x1a}));
    }
    CProfile again(path);
    EXPECT_EQ(again.GetProfileString("Transfer", "DosDir"), "/home/u/KVL_DAT/");
    EXPECT_EQ(again.GetProfileInt("Transfer", "Baud3", 0), -4800);
    EXPECT_EQ(again.GetProfileDouble("Morvel", "ScaleFactor", 1.0), 0.9996);
    EXPECT_EQ(again.GetProfileRect("Print Settings", "Margins", {}), (ProfileRect{1400, 1440, -1, 0}));
    std::vector<uint8_t> dn;
    ASSERT_TRUE(again.GetProfileBinary("Print Settings", "DN", dn));
    EXPECT_EQ(dn, (std::vector<uint8_t>{0x00, 0xff, 0x1a}));
    EXPECT_EQ(ReadAllText(path.string()),
              "[Transfer]\nDosDir=/home/u/KVL_DAT/\nBaud3=-4800\n\n[Morvel]\nScaleFactor=0.9996\n\n"
              "[Print Settings]\nMargins=(1400, 1440, -1, 0)\nDN=00ff1a\n");
}

TEST(Profile, LookupIgnoresCaseAndKeepsStoredCase)
{
    TempDir dir;
    CProfile profile(dir.path() / "p.ini");
    ASSERT_TRUE(profile.WriteProfileString("Rename Rules", "Designator", "aB"));
    EXPECT_EQ(profile.GetProfileString("RENAME RULES", "designator"), "aB");
    ASSERT_TRUE(profile.WriteProfileString("rename rules", "DESIGNATOR", "Cd"));
    EXPECT_EQ(ReadAllText(dir.file("p.ini")), "[Rename Rules]\nDesignator=Cd\n");
}

TEST(Profile, OddValuesRoundTripVerbatim)
{
    TempDir dir;
    CProfile profile(dir.path() / "p.ini");
    const std::string values[] = {"", "a=b=c", "  padded  ", "Höhe °", "[not a section]", ";x", "\t"};
    int i = 0;
    for (const std::string& v : values)
        ASSERT_TRUE(profile.WriteProfileString("format", "K" + std::to_string(i++), v)) << v;
    CProfile again(dir.path() / "p.ini");
    i = 0;
    for (const std::string& v : values)
        EXPECT_EQ(again.GetProfileString("format", "K" + std::to_string(i++), "default"), v);

    // Numbers that are no finite value read as the default.
    for (const char* text : {"nan", "inf", "-inf", "0x10", "1e999"}) {
        ASSERT_TRUE(profile.WriteProfileString("Morvel", "ScaleFactor", text));
        EXPECT_EQ(profile.GetProfileDouble("Morvel", "ScaleFactor", 1.0), 1.0) << text;
    }
}

TEST(Profile, RefusesWhatTheFileCannotHoldAndLeavesItAlone)
{
    TempDir dir;
    CProfile profile(dir.path() / "p.ini");
    ASSERT_TRUE(profile.WriteProfileString("S", "K", "v"));
    const std::string before = ReadAllText(dir.file("p.ini"));
    EXPECT_FALSE(profile.WriteProfileString("S", "K", "two\nlines"));
    EXPECT_FALSE(profile.WriteProfileString("S", "K", "cr\r"));
    EXPECT_FALSE(profile.WriteProfileString("S", "a=b", "v"));
    EXPECT_FALSE(profile.WriteProfileString("S", "", "v"));
    EXPECT_FALSE(profile.WriteProfileString("S", " K", "v"));
    EXPECT_FALSE(profile.WriteProfileString("a]b", "K", "v"));
    EXPECT_FALSE(profile.WriteProfileString("", "K", "v"));
    EXPECT_EQ(ReadAllText(dir.file("p.ini")), before);
    EXPECT_EQ(profile.GetProfileString("S", "K"), "v");
}

TEST(Profile, FailedWriteKeepsOldFileAndMemory)
{
    TempDir dir;
    auto path = dir.path() / "p.ini";
    FailingProfile profile(path);
    profile.fail = false;
    ASSERT_TRUE(profile.WriteProfileString("Transfer", "Port3", "1"));
    const std::string before = ReadAllText(path.string());
    profile.fail = true;
    EXPECT_FALSE(profile.WriteProfileString("Transfer", "Port3", "2"));
    EXPECT_FALSE(profile.WriteProfileString("Other", "Key", "value"));
    EXPECT_EQ(ReadAllText(path.string()), before);
    EXPECT_EQ(profile.GetProfileInt("Transfer", "Port3", 0), 1);
    EXPECT_EQ(profile.GetProfileString("Other", "Key", "none"), "none");
    // No temporary files are left beside the profile.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Profile, BatchWritesTheFileOnceAndKeepsFailedValuesInMemory)
{
    TempDir dir;
    auto path = dir.path() / "p.ini";
    FailingProfile profile(path);
    profile.fail = false;
    {
        CProfileBatch outer(profile);
        {
            CProfileBatch inner(profile);
            EXPECT_TRUE(profile.WriteProfileInt("Display", "A", 1));
        }
        EXPECT_TRUE(profile.WriteProfileString("General", "B", "two"));
        EXPECT_EQ(profile.writes, 0);
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_EQ(profile.GetProfileInt("Display", "A", 0), 1);
    }
    EXPECT_EQ(profile.writes, 1);
    CProfile reread(path);
    EXPECT_EQ(reread.GetProfileString("General", "B"), "two");

    const std::string before = ReadAllText(path.string());
    profile.fail = true;
    profile.BeginBatch();
    EXPECT_TRUE(profile.WriteProfileInt("Display", "A", 3));
    EXPECT_FALSE(profile.EndBatch());
    EXPECT_EQ(ReadAllText(path.string()), before);
    EXPECT_EQ(profile.GetProfileInt("Display", "A", 0), 3);
    // The next write that succeeds carries the kept value to the file.
    profile.fail = false;
    EXPECT_TRUE(profile.WriteProfileInt("Display", "C", 4));
    EXPECT_EQ(CProfile(path).GetProfileInt("Display", "A", 0), 3);
}

TEST(Profile, ReadsHandWrittenFilesAndKeepsTheirOtherLines)
{
    TempDir dir;
    WriteAllText(dir.file("p.ini"), "\xEF\xBB\xBF; comment\r\n[Transfer]\r\n  Port3 =  7 \r\nBaud3=abc\r\n"
                                    "Parity3=99999999999\r\n\r\n[Transfer]\r\nDosDir=second\r\n[Display]\r\n"
                                    "Pick Box Size=12\r\n");
    CProfile profile(dir.path() / "p.ini");
    EXPECT_EQ(profile.GetProfileInt("Transfer", "Port3", 1), 7);
    EXPECT_EQ(profile.GetProfileString("Transfer", "Port3"), "  7 ");
    EXPECT_EQ(profile.GetProfileInt("Transfer", "Baud3", 9600), 9600);
    EXPECT_EQ(profile.GetProfileInt("Transfer", "Parity3", 0), 0); // out of range
    EXPECT_EQ(profile.GetProfileString("Transfer", "DosDir", "d"), "d"); // only the first section counts
    EXPECT_EQ(profile.GetProfileDouble("Transfer", "Baud3", 2.5), 2.5);
    EXPECT_EQ(profile.GetProfileRect("Transfer", "Baud3", {1, 2, 3, 4}), (ProfileRect{1, 2, 3, 4}));

    ASSERT_TRUE(profile.WriteProfileInt("Transfer", "Port3", 2));
    ASSERT_TRUE(profile.WriteProfileInt("Transfer", "EnableBackups", 1));
    EXPECT_EQ(ReadAllText(dir.file("p.ini")), "; comment\n[Transfer]\nPort3=2\nBaud3=abc\nParity3=99999999999\n"
                                              "EnableBackups=1\n\n[Transfer]\nDosDir=second\n[Display]\n"
                                              "Pick Box Size=12\n");
}

TEST(Profile, ByteOrderMarksBeforeTheFirstSectionNeitherHideItNorComeBack)
{
    for (int marks = 1; marks <= 3; ++marks) {
        SCOPED_TRACE(marks);
        TempDir dir;
        std::string bom;
        for (int i = 0; i < marks; ++i)
            bom += "\xEF\xBB\xBF";
        WriteAllText(dir.file("p.ini"), bom + "[Transfer]\nPort3=4\n");
        CProfile profile(dir.path() / "p.ini");
        EXPECT_EQ(profile.GetProfileInt("Transfer", "Port3", 1), 4);
        ASSERT_TRUE(profile.WriteProfileString("Transfer", "DosDir", "/home/user/KVL_DAT/"));
        EXPECT_EQ(CProfile(dir.path() / "p.ini").GetProfileString("Transfer", "DosDir"), "/home/user/KVL_DAT/");
        EXPECT_EQ(ReadAllText(dir.file("p.ini")), "[Transfer]\nPort3=4\nDosDir=/home/user/KVL_DAT/\n");
    }
}

TEST(Profile, SeesChangesMadeByAnotherInstance)
{
    TempDir dir;
    CProfile a(dir.path() / "p.ini");
    CProfile b(dir.path() / "p.ini");
    ASSERT_TRUE(a.WriteProfileString("S", "K", "1"));
    EXPECT_EQ(b.GetProfileString("S", "K"), "1");
    ASSERT_TRUE(b.WriteProfileString("S", "K", "22"));
    EXPECT_EQ(a.GetProfileString("S", "K"), "22");
}

TEST(Profile, DefaultPathFollowsEnvironment)
{
    std::string saved = std::getenv("MORVEL_PROFILE") ? std::getenv("MORVEL_PROFILE") : "";
    ::setenv("MORVEL_PROFILE", "/tmp/x/Morvel.ini", 1);
    EXPECT_EQ(CProfile::DefaultPath(), "/tmp/x/Morvel.ini");
    ::unsetenv("MORVEL_PROFILE");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(CProfile::DefaultPath(), "/cfg/QuorelVantisMarcato/Morvel.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    if (!saved.empty())
        ::setenv("MORVEL_PROFILE", saved.c_str(), 1);
}
