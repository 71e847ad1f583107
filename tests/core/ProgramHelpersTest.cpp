#include "core/ProgramHelpers.h"
#include "platform/ActiveJobHooks.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using morvel::test::TempDir;

namespace {

// Restores the hooks a test installed.
struct ScopedJobHooks
{
    explicit ScopedJobHooks(ActiveJobHooks hooks) : previous(SetActiveJobHooks(std::move(hooks))) {}
    ~ScopedJobHooks() { SetActiveJobHooks(previous); }
    ActiveJobHooks previous;
};

} // namespace

TEST(FileTypes, ExtensionsCompareWithoutCase)
{
    EXPECT_TRUE(IsJobFilePath("C:\\J\\JOB.MVJ"));
    EXPECT_TRUE(IsJobFilePath("/j/job.mvj"));
    EXPECT_FALSE(IsJobFilePath("/j/job.mvr"));
    EXPECT_FALSE(IsJobFilePath("/j/job.Mvj.bak"));
    // A file called mvj without an extension counts too.
    EXPECT_TRUE(IsJobFilePath("/j/mvj"));
    EXPECT_TRUE(IsRawFilePath("/j/x.MvR"));
    EXPECT_FALSE(IsRawFilePath("/j/x.Mvj"));
}

TEST(FileTypes, ParsablePaths)
{
    EXPECT_TRUE(IsParsablePath("/home/user/job.Mvj"));
    EXPECT_TRUE(IsParsablePath("job.Mvj"));
    EXPECT_FALSE(IsParsablePath(""));
    EXPECT_FALSE(IsParsablePath(std::string("a\0b", 3)));
    EXPECT_FALSE(IsParsablePath("/x/" + std::string(300, 'a')));
    EXPECT_TRUE(IsParsablePath("/x/" + std::string(255, 'a')));
}

TEST(JobFolderAndCaption, FallBackInOrder)
{
    TempDir dir;
    std::string jobFolder = dir.path().string() + "/";
    bool open = true;
    std::string path = jobFolder + "Survey.Mvj";
    std::string defaultFolder = jobFolder + "defaults/";
    ScopedJobHooks hooks({[&] { return open; }, [&] { return path; }, [] { return false; }, [] { return false; },
                          [&] { return defaultFolder; }, {}});

    EXPECT_EQ(GetActiveJobFolder(), jobFolder);
    path = jobFolder + "gone/Survey.Mvj";
    // Neither the job's folder nor the default folder exists.
    EXPECT_EQ(GetActiveJobFolder().back(), '/');
    EXPECT_NE(GetActiveJobFolder(), defaultFolder);
    std::filesystem::create_directory(defaultFolder);
    EXPECT_EQ(GetActiveJobFolder(), defaultFolder);
    open = false;
    path = jobFolder + "Survey.Mvj";
    EXPECT_EQ(GetActiveJobFolder(), defaultFolder);
}

TEST(JobFolderAndCaption, CaptionShowsTitleOrUntitledAndModified)
{
    bool open = false, modified = false, temporary = false;
    ScopedJobHooks hooks({[&] { return open; }, [] { return std::string("/jobs/North Field.v2.Mvj"); },
                          [&] { return modified; }, [&] { return temporary; }, {}, {}});

    EXPECT_EQ(FormatJobCaption(), "Untitled");
    open = true;
    EXPECT_EQ(FormatJobCaption(), "North Field.v2");
    modified = true;
    EXPECT_EQ(FormatJobCaption(), "North Field.v2 (Modified)");
    temporary = true;
    EXPECT_EQ(FormatJobCaption(), "Untitled (Modified)");
}

TEST(TextHelpers, ContainsNonDigit)
{
    EXPECT_FALSE(ContainsNonDigit("  1,234 "));
    EXPECT_FALSE(ContainsNonDigit(""));
    EXPECT_FALSE(ContainsNonDigit(" , "));
    EXPECT_TRUE(ContainsNonDigit("12.5"));
    EXPECT_TRUE(ContainsNonDigit("-3"));
    EXPECT_TRUE(ContainsNonDigit("1 2"));
}

TEST(TextHelpers, PlaceholdersAndPadding)
{
    EXPECT_EQ(CountFormatPlaceholders("Point %s moved to %s"), 2);
    EXPECT_EQ(CountFormatPlaceholders("%s%s%s"), 3);
    EXPECT_EQ(CountFormatPlaceholders("100%"), 0);
    EXPECT_EQ(CountFormatPlaceholders("%%s"), 1);

    std::string t = "42";
    PadLeft(t, 5);
    EXPECT_EQ(t, "   42");
    PadLeft(t, 3);
    EXPECT_EQ(t, "   42");
    t = "12°";
    PadLeft(t, 5);
    EXPECT_EQ(t, "  12°");
}

TEST(TextHelpers, FitTextWithEllipsisDropsWholeCharacters)
{
    // Ten units per character; the ellipsis is three characters wide.
    auto measure = [](const std::string& s) { return static_cast<int>(CountCharacters(s)) * 10; };
    std::string fits = "Short";
    FitTextWithEllipsis(fits, measure, 50);
    EXPECT_EQ(fits, "Short");

    std::string longer = "Azimuth 45°00'";
    FitTextWithEllipsis(longer, measure, 100);
    // Budget 100 - 30 - 2 = 68: six characters stay.
    EXPECT_EQ(longer, "Azimut...");

    std::string degrees = "°°°°°°°°";
    FitTextWithEllipsis(degrees, measure, 60);
    EXPECT_EQ(degrees, "°°...");

    std::string tiny = "abcdef";
    FitTextWithEllipsis(tiny, measure, 10);
    EXPECT_EQ(tiny, "...");
}

TEST(TextHelpers, TimeStampNameHasNoLeadingZerosButTheYear)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    auto when = std::chrono::system_clock::from_time_t(timegm(&t));
    EXPECT_EQ(MakeTimeStampName(when), "3-5-24@14_7_9");
    t.tm_year = 2005 - 1900;
    t.tm_hour = 0;
    EXPECT_EQ(MakeTimeStampName(std::chrono::system_clock::from_time_t(timegm(&t))), "3-5-05@0_7_9");
}

TEST(ListComparisons, NoCaseAndEmptyTexts)
{
    EXPECT_EQ(CompareTextNoCase("abc", "ABC"), 0);
    EXPECT_LT(CompareTextNoCase("abc", "abd"), 0);
    EXPECT_LT(CompareTextNoCase("ab", "abc"), 0);
    EXPECT_EQ(CompareTextNoCase("", ""), 0);
    EXPECT_EQ(CompareTextNoCase("", "a"), -1);
    EXPECT_EQ(CompareTextNoCase("a", ""), 1);
    EXPECT_EQ(CompareInts(-5, 3), -1);
    EXPECT_EQ(CompareDoubles(2.5, 2.5), 0);
    EXPECT_EQ(CompareDoubles(3.0, 2.5), 1);
}

TEST(ListComparisons, ListTextOrder)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"P2", "P10", -1},  {"P9", "P10", -1},  {"7", "12", -1},     {"p10", "P10", 0},   {"P10", "Q1", -1},
        {"A", "5", -1},      // text sorts before numbers
        {"5", "A", 1},       {"", "1", -1},      {"", "", 0},        {"", "A", -1},       {"P12", "P1", 1},
        {"P1A", "P1b", -1}, {"-3", "2", -1},   {"x10y", "X9y", 1}, {"0", "A", -1},     {"99999999999", "2", 1},
    };
    for (const Case& c : cases) {
        int r = CompareListText(c.a, c.b);
        int sign = (r > 0) - (r < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
        int back = CompareListText(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }

    std::vector<std::string> names = {"Q1", "P10", "P2", "10", "B", "2"};
    std::sort(names.begin(), names.end(), [](auto& x, auto& y) { return CompareListText(x, y) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"B", "P2", "P10", "Q1", "2", "10"}));
}

TEST(NumberHelpers, Rounding)
{
    EXPECT_EQ(RoundToNearestInt(2.5), 2);
    EXPECT_EQ(RoundToNearestInt(2.6), 3);
    EXPECT_EQ(RoundToNearestInt(-2.5), -3);
    EXPECT_EQ(RoundToNearestInt(-2.4), -2);
    EXPECT_EQ(RoundToNearestInt(3.0), 3);
    EXPECT_EQ(RoundToNearestInt(1e12), INT32_MAX);

    EXPECT_EQ(MulDivDouble(5, 7, 0), 7);
    EXPECT_EQ(MulDivDouble(0, 7, 0), 0);
    EXPECT_EQ(MulDivDouble(7, 3, 2), 10);
    EXPECT_EQ(MulDivDouble(-7, 3, 2), -10);
    EXPECT_EQ(MulDivDouble(100000, 100000, 10), 1000000000);

    EXPECT_EQ(PointsToPixels(12, 96), 16);
    EXPECT_EQ(PointsToPixels(9, 96), 12);
    EXPECT_EQ(PointsToPixels(10, 96), 13); // 13.33
    EXPECT_EQ(PointsToPixels(-12, 96), -16);
    EXPECT_EQ(PointsToPixels(3, 12), 1);   // 0.5 rounds away from zero
}

TEST(NumberHelpers, MonotonicTickAcrossTheWrap)
{
    uint32_t stored = 0;
    EXPECT_EQ(AdvanceMonotonicTick(1000, stored), 1000u);
    EXPECT_EQ(stored, 1000u);
    // Just past the 31-bit wrap counts as having wrapped; the raw tick is what is kept.
    stored = 0x7FFFFF00u;
    EXPECT_EQ(AdvanceMonotonicTick(0x10, stored), 0x10u + 0x7FFFFFFFu);
    EXPECT_EQ(stored, 0x10u);
    // An ordinary step back is no wrap.
    stored = 1000;
    EXPECT_EQ(AdvanceMonotonicTick(500, stored), 500u);

    // In the high half a jump of more than an hour is shifted past the wrap.
    stored = 0x80000000u;
    EXPECT_EQ(AdvanceMonotonicTick(0x80000000u + 3600001u, stored), 0x80000000u + 3600001u + 0x80000001u);
    stored = 0x90000000u;
    EXPECT_EQ(AdvanceMonotonicTick(0x90000010u, stored), 0x90000010u);

    uint32_t a = GetTickCountMonotonic();
    uint32_t b = GetTickCountMonotonic();
    EXPECT_GE(b, a);
}

TEST(Identifiers, TimeBasedGuidCarriesVersionAndCounter)
{
    GUID first, second;
    ASSERT_EQ(MakeTimeBasedGuid(first), S_OK);
    ASSERT_EQ(MakeTimeBasedGuid(second), S_OK);
    EXPECT_EQ(first.Data3 & 0x0F, 2);
    uint16_t c1 = static_cast<uint16_t>(first.Data4[0] | first.Data4[1] << 8);
    uint16_t c2 = static_cast<uint16_t>(second.Data4[0] | second.Data4[1] << 8);
    EXPECT_EQ(static_cast<uint16_t>(c1 + 1), c2);
    EXPECT_TRUE(std::equal(first.Data4 + 2, first.Data4 + 8, second.Data4 + 2));
    EXPECT_NE(first.Data4[2] | first.Data4[3] << 8, 0);
}

TEST(Checksum, Crc16ArcCheckValues)
{
    EXPECT_EQ(Crc16("123456789", 9), 0xBB3D);
    EXPECT_EQ(Crc16("", 0), 0x0000);
    EXPECT_EQ(Crc16("A", 1), 0x30C0);
    const unsigned char zeros[4] = {};
    EXPECT_EQ(Crc16(zeros, 4), 0x0000);
    // A message followed by its own CRC (low byte first) checks to zero.
    unsigned char framed[11] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0x3D, 0xBB};
    EXPECT_EQ(Crc16(framed, 11), 0x0000);
}

