#include "DdxFakes.h"
#include "TestUtil.h"
#include "ValueTextFakes.h"

#include "core/TextFieldExchange.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <ctime>
#include <set>

using namespace morvel::test;

namespace {

constexpr int Id = 2001;

// A job that hands out free names as a job would during a reservation: the next number up.
class NamingJob : public FakeJob
{
public:
    std::string MakeUniquePointName(const std::string& base) override
    {
        std::string name = base;
        while (points.count(name) || handedOut.count(name))
            name = "P" + std::to_string(std::stoi(name.substr(1)) + 1);
        handedOut.insert(name);
        return name;
    }
    std::set<std::string> handedOut;
};

struct TextFixture : ::testing::Test
{
    TextFixture() : scope(&job)
    {
        job.points["P1"] = CLocation(1, 2, 3);
        job.points["P2"] = CLocation(1, 2, 3);
    }

    template <typename F>
    bool SaveText(const std::string& text, F routine)
    {
        dialog.controls.clear();
        dialog.Add(Id, text);
        bool result = false;
        exchangeOk = dialog.Save([&](CDataExchange& dx) { result = routine(&dx); });
        return result;
    }

    NamingJob job;
    ActiveJobScope scope;
    FakeDialog dialog;
    DdxErrorRecorder errors;
    bool exchangeOk = true;
};

TEST_F(TextFixture, PointNames)
{
    std::string name = "old";
    EXPECT_FALSE(SaveText("   ", [&](CDataExchange* dx) { return DDX_NewPointName(dx, Id, name); }));
    EXPECT_EQ(errors.Last(), "Please enter a point name.");
    EXPECT_EQ(dialog.controls[Id].limit, 16);
    EXPECT_FALSE(SaveText("A-1", [&](CDataExchange* dx) { return DDX_NewPointName(dx, Id, name); }));
    EXPECT_EQ(errors.Last(), "Invalid point name.");
    EXPECT_EQ(name, "old");

    // The field holds at most 16 characters; the check itself refuses a longer name.
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_PointName(dx, Id, std::string(17, 'A')); }));
    EXPECT_EQ(errors.Last(), "The maximum number of characters a point name may have is 16.");

    EXPECT_TRUE(SaveText("P7", [&](CDataExchange* dx) { return DDX_NewPointName(dx, Id, name); }));
    EXPECT_EQ(name, "P7");

    EXPECT_FALSE(SaveText("P9", [&](CDataExchange* dx) { return DDX_ExistingPointName(dx, Id, name); }));
    EXPECT_EQ(errors.Last(), "Point does not exist.");
    EXPECT_TRUE(SaveText("P2", [&](CDataExchange* dx) { return DDX_ExistingPointName(dx, Id, name); }));
    EXPECT_EQ(name, "P2");
}

TEST_F(TextFixture, NameThatMayExistAsksThePrompt)
{
    std::string asked, offered;
    int answer = PointExistsUseChosen;
    PointExistsPrompt previous = SetPointExistsPrompt([&](const std::string& n, const std::string& f, std::string* c) {
        asked = n;
        offered = f;
        *c = f;
        return answer;
    });

    std::string name;
    ASSERT_TRUE(SaveText("P1", [&](CDataExchange* dx) { return DDX_PointNameMayExist(dx, Id, name); }));
    EXPECT_EQ(asked, "P1");
    EXPECT_EQ(offered, "P3");
    EXPECT_EQ(name, "P3");
    EXPECT_EQ(dialog.controls[Id].text, "P3");

    answer = PointExistsCancel;
    name = "keep";
    EXPECT_FALSE(SaveText("P2", [&](CDataExchange* dx) { return DDX_PointNameMayExist(dx, Id, name); }));
    EXPECT_FALSE(exchangeOk);
    EXPECT_EQ(name, "keep");

    // Without a prompt the typed name stays.
    SetPointExistsPrompt({});
    ASSERT_TRUE(SaveText("P2", [&](CDataExchange* dx) { return DDX_PointNameMayExist(dx, Id, name); }));
    EXPECT_EQ(name, "P2");

    // Two new names in one exchange do not collide.
    job.handedOut.clear();
    std::string a, b;
    dialog.controls.clear();
    dialog.Add(Id, "P5");
    dialog.Add(Id + 1, "P5");
    ASSERT_TRUE(dialog.Save([&](CDataExchange& dx) {
        DDX_PointNameMayExist(&dx, Id, a);
        DDX_PointNameMayExist(&dx, Id + 1, b);
    }));
    EXPECT_EQ(a, "P5");
    EXPECT_EQ(b, "P6");
    SetPointExistsPrompt(previous);
}

TEST_F(TextFixture, Descriptions)
{
    std::string text = "old";
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_Description(dx, Id, "seventeen chars!!"); }));
    EXPECT_EQ(errors.Last(), "seventeen chars!! is an invalid description");
    EXPECT_TRUE(SaveText("Fence corner", [&](CDataExchange* dx) { return DDX_Description(dx, Id, text); }));
    EXPECT_EQ(text, "Fence corner");
    // Sixteen characters, counted as characters, and an empty text are both fine.
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDV_Description(dx, Id, "\u00B0\u00B0\u00B0\u00B0Zaun Ecke 12"); }));
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDX_Description(dx, Id, text); }));
    EXPECT_EQ(text, "");

    // A text too long to store is refused while the dialog fills, too.
    errors.messages.clear();
    dialog.controls.clear();
    dialog.Add(Id);
    std::string longText = "seventeen chars!!";
    EXPECT_FALSE(dialog.Load([&](CDataExchange& dx) { DDX_Description(&dx, Id, longText); }));
    EXPECT_EQ(errors.messages, std::vector<std::string>{"seventeen chars!! is an invalid description"});
    bool quietResult = true;
    EXPECT_TRUE(dialog.Load([&](CDataExchange& dx) { quietResult = DDV_Description(&dx, Id, longText, true); }));
    EXPECT_FALSE(quietResult);
    EXPECT_EQ(errors.messages.size(), 1u);
}

TEST_F(TextFixture, PointNameChecksAtTheirEdges)
{
    const struct
    {
        const char* name;
        std::string text;
        const char* message; // null when it passes
    } cases[] = {
        {"empty", "", "Please enter a point name."},
        {"blanks only", "  \t ", "Please enter a point name."},
        {"blanks around a good name", "  P17  ", nullptr},
        {"sixteen", std::string(16, '7'), nullptr},
        {"seventeen", std::string(17, '7'), "The maximum number of characters a point name may have is 16."},
        {"zeros only", "000", "Invalid point name."},
        {"marker", "$&%^@*1", "Invalid point name."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errors.messages.clear();
        const bool passes = c.message == nullptr;
        EXPECT_EQ(SaveText("", [&](CDataExchange* dx) { return DDV_PointName(dx, Id, c.text); }), passes);
        EXPECT_EQ(exchangeOk, passes);
        if (!passes) {
            EXPECT_EQ(errors.messages, std::vector<std::string>{c.message});
        }
        errors.messages.clear();
        EXPECT_EQ(SaveText("", [&](CDataExchange* dx) { return DDV_PointName(dx, Id, c.text, true); }), passes);
        EXPECT_TRUE(exchangeOk);
        EXPECT_TRUE(errors.messages.empty());
    }
}

TEST_F(TextFixture, CancelledPromptFailsWithoutAMessage)
{
    int asked = 0;
    int answer = PointExistsCancel;
    PointExistsPrompt previous = SetPointExistsPrompt([&](const std::string&, const std::string&, std::string*) {
        ++asked;
        return answer;
    });
    std::string name = "P1";
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_NewPointName(dx, Id, name); }));
    EXPECT_FALSE(exchangeOk);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(name, "P1");
    EXPECT_EQ(dialog.focused, Id) << "the name is the field to mend";
    // Quiet: the answer still refuses, but the exchange goes on.
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_NewPointName(dx, Id, name, true); }));
    EXPECT_TRUE(exchangeOk);
    // Any other answer keeps the typed name.
    answer = 7;
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDV_NewPointName(dx, Id, name); }));
    EXPECT_EQ(name, "P1");
    EXPECT_EQ(asked, 3);
    // A malformed name never reaches the prompt.
    name = "A-1";
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_NewPointName(dx, Id, name); }));
    EXPECT_EQ(errors.Last(), "Invalid point name.");
    EXPECT_EQ(asked, 3);
    // Loading checks nothing.
    bool loaded = false;
    EXPECT_TRUE(dialog.Load([&](CDataExchange& dx) { loaded = DDV_NewPointName(&dx, Id, name); }));
    EXPECT_TRUE(loaded);
    SetPointExistsPrompt(previous);
}

TEST_F(TextFixture, MaxCharsLimitsTheFieldAndRefusesMore)
{
    dialog.controls.clear();
    dialog.Add(Id);
    ASSERT_TRUE(dialog.Load([&](CDataExchange& dx) { DDV_MaxChars(&dx, Id, "", 16); }));
    EXPECT_EQ(dialog.controls[Id].limit, 16);
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDV_MaxChars(dx, Id, std::string(16, 'x'), 16); }));
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_MaxChars(dx, Id, std::string(17, 'x'), 16); }));
    EXPECT_EQ(errors.Last(), "Please enter no more than 16 characters.");
}

TEST_F(TextFixture, DatesAndTimes)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_year + 1900;

    std::string date;
    ASSERT_TRUE(SaveText("3-4-07", [&](CDataExchange* dx) { return DDX_Date(dx, Id, date); }));
    EXPECT_EQ(date, "3-4-" + std::to_string(year / 100 * 100 + 7));
    ASSERT_TRUE(SaveText("3/4", [&](CDataExchange* dx) { return DDX_Date(dx, Id, date); }));
    EXPECT_EQ(date, "3-4-" + std::to_string(year));
    EXPECT_FALSE(SaveText("12-31-1969", [&](CDataExchange* dx) { return DDX_Date(dx, Id, date); }));
    EXPECT_EQ(errors.Last(),
              "Invalid date. Use format: MM-DD-YY or MM-DD-YYYY. The date must follow Jan 1, 1970.");
    EXPECT_FALSE(SaveText("2-30-2001", [&](CDataExchange* dx) { return DDX_Date(dx, Id, date); }));

    std::string time;
    ASSERT_TRUE(SaveText("7:05", [&](CDataExchange* dx) { return DDX_Time(dx, Id, time); }));
    EXPECT_EQ(time, "7:05:00");
    EXPECT_FALSE(SaveText("25:00", [&](CDataExchange* dx) { return DDX_Time(dx, Id, time); }));
    EXPECT_EQ(errors.Last(), "The time is invalid. Please enter a time of the form HH:MM or HH:MM:SS");
}

TEST_F(TextFixture, FileNames)
{
    TempDir dir;
    const std::string existing = dir.file("job.Mvj");
    WriteAllText(existing, "x");
    std::vector<std::string> asked;
    int answer = IDNO;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, uint32_t) {
        asked.push_back(text);
        return answer;
    });

    std::string path;
    EXPECT_FALSE(SaveText(dir.file("a:b"), [&](CDataExchange* dx) { return DDX_FileName(dx, Id, path); }));
    EXPECT_EQ(errors.Last(), "Filename contains invalid characters");
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDX_FileName(dx, Id, path); }));
    EXPECT_EQ(errors.Last(), "Choose a file name.");

    // An existing file: quiet refuses without asking; otherwise the replace question decides.
    EXPECT_FALSE(SaveText(existing, [&](CDataExchange* dx) { return DDX_FileName(dx, Id, path, true); }));
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(SaveText(existing, [&](CDataExchange* dx) { return DDX_FileName(dx, Id, path); }));
    EXPECT_FALSE(exchangeOk);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "The file \"" + existing + "\" already exists.  Do you want to replace it?");
    answer = IDYES;
    EXPECT_TRUE(SaveText(existing, [&](CDataExchange* dx) { return DDX_FileName(dx, Id, path); }));
    EXPECT_EQ(path, existing);

    EXPECT_FALSE(SaveText(dir.file("none.txt"), [&](CDataExchange* dx) { return DDX_ExistingFile(dx, Id, path); }));
    EXPECT_EQ(errors.Last(), "\"" + dir.file("none.txt") + "\" does not exist, or the name is invalid.");

    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDV_FilePath(dx, Id, dir.file("no/such/x.txt")); }));
    EXPECT_EQ(errors.Last(), "Invalid Path");

    std::string project;
    EXPECT_TRUE(SaveText("Smith.MVJ", [&](CDataExchange* dx) {
        return DDX_ProjectName(dx, Id, project, dir.path().string(), "Mvj");
    }));
    EXPECT_EQ(project, "Smith");
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDX_ProjectName(dx, Id, project, "", ".Mvj"); }));
    EXPECT_EQ(errors.Last(), "Please enter a name.");

    std::string selection;
    EXPECT_TRUE(SaveText(dir.file("pick.txt"), [&](CDataExchange* dx) { return DDX_SelectionFilePath(dx, Id, selection); }));
    EXPECT_EQ(selection, dir.file("pick.Sel"));
    SetMessageBoxHandler(previous);
}

TEST_F(TextFixture, FrameworkIntegers)
{
    int16_t s = 1;
    EXPECT_FALSE(SaveText("40000", [&](CDataExchange* dx) { return DDX_Short(dx, Id, s); }));
    EXPECT_EQ(errors.Last(), "Please enter an integer.");
    EXPECT_TRUE(SaveText("-5", [&](CDataExchange* dx) { return DDX_Short(dx, Id, s); }));
    EXPECT_EQ(s, -5);

    uint32_t u = 1;
    EXPECT_FALSE(SaveText("-5", [&](CDataExchange* dx) { return DDX_UInt(dx, Id, u); }));
    EXPECT_EQ(errors.Last(), "Please enter a positive integer.");
    EXPECT_FALSE(SaveText("abc", [&](CDataExchange* dx) { return DDX_UInt(dx, Id, u); }));
    EXPECT_TRUE(SaveText(" 0 ", [&](CDataExchange* dx) { return DDX_UInt(dx, Id, u); }));
    EXPECT_EQ(u, 0u);

    uint8_t b = 0;
    EXPECT_FALSE(SaveText("256", [&](CDataExchange* dx) { return DDX_Byte(dx, Id, b); }));
    EXPECT_TRUE(SaveText("255", [&](CDataExchange* dx) { return DDX_Byte(dx, Id, b); }));
    EXPECT_EQ(b, 255);

    float f = 0;
    EXPECT_TRUE(SaveText("2.5", [&](CDataExchange* dx) { return DDX_Float(dx, Id, f); }));
    EXPECT_EQ(f, 2.5f);
    EXPECT_FALSE(SaveText("x", [&](CDataExchange* dx) { return DDX_Float(dx, Id, f); }));
    EXPECT_EQ(errors.Last(), "Please enter a number.");
}

TEST_F(TextFixture, CharBufferKeepsWholeCharacters)
{
    char buffer[4];
    ASSERT_TRUE(SaveText("ab\u00B0c", [&](CDataExchange* dx) { return DDX_CharBuffer(dx, Id, buffer, sizeof buffer); }));
    EXPECT_STREQ(buffer, "ab");
}

} // namespace
